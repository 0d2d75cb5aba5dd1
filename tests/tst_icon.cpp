// The program's icon: every size a window manager draws, and no file it cannot read.

#include "platform/desktop/pngicon.h"
#include "support/sessiontest.h"
#include "support/testmain.h"

#include <QTemporaryDir>

class tst_icon : public SessionTest {
    Q_OBJECT

private slots:
    void windowsOfferEverySizeUpTo64();
    void leavesOutFilesItCannotRead();
};

void tst_icon::windowsOfferEverySizeUpTo64()
{
    const auto offered = [](const QWidget& window) {
        QList<int> widths;
        for (const QSize size : window.windowIcon().availableSizes())
            widths << size.width();
        std::sort(widths.begin(), widths.end());
        return widths;
    };
    const QList<int> sizes = {16, 24, 32, 48, 64};
    QCOMPARE(offered(s->name()), sizes);
    QCOMPARE(offered(s->main()), sizes);
    QCOMPARE(s->name().windowIcon().pixmap(48).size(), QSize(48, 48));
}

void tst_icon::leavesOutFilesItCannotRead()
{
    QTemporaryDir dir;
    QFile large(QStringLiteral(":/icons/dicewright-32.png"));
    QFile broken(dir.filePath("broken.png")); // the header of a 32-pixel icon, without pixels
    QVERIFY(large.open(QIODevice::ReadOnly) && broken.open(QIODevice::WriteOnly));
    broken.write(large.read(40));
    broken.close();
    const QIcon icon = platform::desktop::pngIcon(
        {":/icons/dicewright-16.png", dir.filePath("missing.png"), broken.fileName()});
    QCOMPARE(icon.pixmap(32).size(), QSize(16, 16)); // the broken file, tried and dropped
    QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
}

DW_TEST_MAIN(tst_icon)
#include "tst_icon.moc"
