// Every caption fits its control and no two controls overlap, at any font size. CTest runs
// this at several scale factors too.

#include "support/session.h"
#include "support/testmain.h"

#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionGroupBox>

class tst_layout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { defaultFont = QApplication::font(); }
    void cleanup() { QApplication::setFont(defaultFont); }

    void captionsFit_data();
    void captionsFit();
    void messageBoxShowsItsWholeTitle_data();
    void messageBoxShowsItsWholeTitle();
    void greetingShortenedOnlyWhenItDoesNotFit_data();
    void greetingShortenedOnlyWhenItDoesNotFit();

private:
    static QRect drawnArea(const QWidget* control);
    static void checkWindow(platform::forms::Form& window);
    QFont defaultFont;
};

void tst_layout::captionsFit_data()
{
    // clang-format off
    QTest::addColumn<double>("pointSize"); // 0: the desktop's own font
    QTest::newRow("desktop font") << 0.0;
    QTest::newRow("8 point") << 8.0;
    QTest::newRow("14 point") << 14.0;
    QTest::newRow("24 point") << 24.0;
    // clang-format on
}

void tst_layout::captionsFit()
{
    QFETCH(double, pointSize);
    if (pointSize > 0) {
        QFont font = defaultFont;
        font.setPointSizeF(pointSize);
        QApplication::setFont(font);
    }
    Session s;
    QVERIFY(s.start());
    QVERIFY(s.enterName(QString(40, u'W'))); // a long name: the greeting must still fit its frame
    QVERIFY(s.enterRange("1", "6"));
    QVERIFY(s.chooseMenu("view"));
    s.click(s.cmdget());
    checkWindow(s.main());
    checkWindow(s.name());

    auto* frame = s.on<platform::forms::Frame>(s.main(), "frmrandom");
    QVERIFY2(frame->caption().startsWith(QString(40, u'W')), qPrintable(frame->caption()));
    QVERIFY(QFontMetrics(frame->font()).horizontalAdvance(frame->title()) < frame->width());

    // The menu bar fits across the main window.
    QVERIFY(s.main().menuBar()->sizeHint().width() <= s.main().width());
}

void tst_layout::messageBoxShowsItsWholeTitle_data()
{
    // clang-format off
    QTest::addColumn<QString>("seed"); // typed into the seed box before Get Number
    QTest::addColumn<QString>("menu"); // or a menu item chosen
    QTest::newRow("run-time error") << "abc" << "";
    QTest::newRow("About") << "" << "about";
    // clang-format on
}

void tst_layout::messageBoxShowsItsWholeTitle()
{
    QFETCH(QString, seed);
    QFETCH(QString, menu);
    Session s;
    QVERIFY(s.start());
    QVERIFY(s.enterName("ab"));
    if (menu.isEmpty()) {
        QVERIFY(s.chooseMenu("view"));
        s.txtvalue()->selectAll();
        QTest::keyClicks(s.txtvalue(), seed);
        s.click(s.cmdget());
    } else {
        QVERIFY(s.chooseMenu(qPrintable(menu)));
    }
    QTRY_VERIFY(!s.boxes().seen().isEmpty() && s.boxes().seen().first().width > 0);
    const MessageBoxAnswerer::Seen box = s.boxes().seen().first();
    // A window manager needs room for the bold title and some seven lines' height for the
    // icon and the title-bar buttons.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QFontMetrics title(titleFont);
    QVERIFY2(box.width >= title.horizontalAdvance(box.title) + 7 * title.height(),
             qPrintable(QString::number(box.width)));
    // No empty column on the left: the text starts no further in than the OK button ends.
    QVERIFY(box.textIndent <= box.buttonGap);
}

void tst_layout::greetingShortenedOnlyWhenItDoesNotFit_data()
{
    // clang-format off
    QTest::addColumn<int>("extra"); // W's beyond the longest name whose greeting fits
    QTest::addColumn<bool>("shortened");
    QTest::newRow("the longest that fits") << 0 << false;
    QTest::newRow("one W more") << 1 << true;
    // clang-format on
}

void tst_layout::greetingShortenedOnlyWhenItDoesNotFit()
{
    QFETCH(int, extra);
    QFETCH(bool, shortened);
    Session s;
    QVERIFY(s.start());
    auto* frame = s.on<platform::forms::Frame>(s.main(), "frmrandom");
    // Fits where the style, setting the caption in from the frame's left edge, has the same
    // margin left over on the right.
    const auto fits = [frame](const QString& caption) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.text = caption;
        const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, frame);
        return label.right() < frame->width() - label.left();
    };
    QString name;
    while (fits(name + "W, your number is:"))
        name += 'W';
    name += QString(extra, u'W');
    QVERIFY(s.enterName(name));
    s.click(s.cmdget());
    QCOMPARE(frame->title() != frame->caption(), shortened);
    QVERIFY(fits(frame->title()));
}

// The width a text box draws its text in, worked out as QLineEdit paints: its style's contents
// rectangle less the text margins and the 2 pixels it keeps clear on either side.
static int textWidth(const QLineEdit* box)
{
    struct Options : QLineEdit {
        static void of(const QLineEdit* box, QStyleOptionFrame* option)
        {
            (box->*(&Options::initStyleOption))(option);
        }
    };
    QStyleOptionFrame option;
    Options::of(box, &option);
    const QMargins margins = box->textMargins();
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() -
           margins.left() - margins.right() - 2 * 2;
}

// Where a control draws: a label only where its text is, the others all over.
QRect tst_layout::drawnArea(const QWidget* control)
{
    const auto* label = qobject_cast<const QLabel*>(control);
    if (!label)
        return control->geometry();
    const QFontMetrics fm(label->font());
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                               QSize(fm.horizontalAdvance(label->text()), fm.height()),
                               label->geometry());
}

void tst_layout::checkWindow(platform::forms::Form& window)
{
    const QList<QWidget*> controls = window.clientArea()->findChildren<QWidget*>();
    QVERIFY(!controls.isEmpty());
    for (QWidget* control : controls) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith("qt_"))
            continue; // a widget's own parts
        const QFontMetrics fm(control->font());
        const QRect r = control->rect();
        QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), qPrintable(name));

        QStyleOptionButton option;
        option.initFrom(control);
        const QStyle* style = control->style();
        if (auto* label = qobject_cast<QLabel*>(control)) {
            QVERIFY2(fm.horizontalAdvance(label->text()) <= r.width(), qPrintable(name));
            QVERIFY2(fm.height() <= r.height(), qPrintable(name));
        } else if (auto* option_ = qobject_cast<QRadioButton*>(control)) {
            const int indicator =
                style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, control);
            const int spacing =
                style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, control);
            const int text = fm.horizontalAdvance(option_->text().remove('&'));
            QVERIFY2(indicator + spacing + text <= r.width(), qPrintable(name));
            QVERIFY2(fm.height() <= r.height(), qPrintable(name));
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &option, control);
            QVERIFY2(fm.horizontalAdvance(button->text().remove('&')) + 2 * margin <= r.width(),
                     qPrintable(name));
            QVERIFY2(fm.height() + margin <= r.height(), qPrintable(name));
        } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
            QVERIFY2(fm.height() <= box->contentsRect().height(), qPrintable(name));
            // A bound box shows all the digits it takes, the seed box the widest seed, each with
            // the cursor after it and a pixel to spare, or QLineEdit scrolls the first off.
            const QString widest = name == "txtvalue"       ? QStringLiteral("-32768")
                                   : box->maxLength() < 100 ? QString(box->maxLength(), '0')
                                                            : QString();
            const int cursor = style->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, box);
            QVERIFY2(fm.horizontalAdvance(widest) + 1 + cursor <= textWidth(box),
                     qPrintable(QStringLiteral("%1 is %2 px wide for %3")
                                    .arg(name)
                                    .arg(textWidth(box))
                                    .arg(widest)));
        }

        for (QWidget* other : controls) {
            if (other == control || other->parentWidget() != control->parentWidget() ||
                other->objectName().isEmpty() || other->objectName().startsWith("qt_"))
                continue;
            QVERIFY2(!drawnArea(control).intersects(drawnArea(other)),
                     qPrintable(name + " overlaps " + other->objectName()));
        }
    }
}

DW_TEST_MAIN(tst_layout)
#include "tst_layout.moc"
