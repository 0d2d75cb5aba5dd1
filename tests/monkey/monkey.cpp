#include "monkey.h"

#include "support/activation.h"
#include "support/control.h"
#include "support/pointer.h"

#include "platform/forms/controls.h"
#include "platform/forms/textbox.h"
#include "ui/frmmain.h"
#include "ui/frmname.h"
#include "ui/program.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

const QString zeros = QStringLiteral("000000000000000000000000000");
const QString rangeMessage = QStringLiteral("Please enter a number range.");

// Characters of every kind a person may type: digits weigh more, bounds are mostly digits.
const QString printable = QStringLiteral("0123456789012345678901234567890123456789"
                                         "abcxyzABCXYZ -.,+e&%!~\u00e9\u00df\u00fc\u4e2d\u03a9"
                                         "\u0663\uff11");

bool isDigitsOnly(const QString& text)
{
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

} // namespace

Monkey::Monkey(quint64 seed) : seed_(seed), random_(seed) {}

Monkey::~Monkey() = default;

Monkey::Result Monkey::run(qint64 actions)
{
    while (result_.actions < actions && result_.failure.isEmpty()) {
        if (!program_)
            startProgram();
        act();
        ++result_.actions;
        if (program_ && result_.failure.isEmpty())
            checkState();
        check(LockWatch::misuses() == 0, QStringLiteral("Qt used a lock after it was destroyed"));
    }
    program_.reset();
    check(LockWatch::misuses() == 0, QStringLiteral("Qt used a lock after it was destroyed"));
    return result_;
}

void Monkey::startProgram()
{
    program_ = std::make_unique<Program>();
    trail_ << QStringLiteral("start");
    keytotal_ = 0;
    everOk_ = false;
    publishedSeed_.clear();
    seedEdited_ = false;
    boxMayHoldText_[0] = boxMayHoldText_[1] = false;
    unloading_[0] = unloading_[1] = ended_ = 0;
    connect(&program_->mainForm(), &platform::forms::Form::unloading, this,
            [this] { ++unloading_[0]; });
    program_->start();
    connect(&program_->nameForm(), &platform::forms::Form::unloading, this,
            [this] { ++unloading_[1]; });
    connect(program_.get(), &Program::ended, this, [this] { ++ended_; });
    ++result_.runs;
}

void Monkey::act()
{
    activate(shownWindow());
    const int roll = random_.bounded(1000);
    if (roll < 450)
        typeIntoBox();
    else if (roll < 500)
        pasteIntoBox();
    else if (roll < 502)
        typeLongName();
    else if (roll < 600)
        pressOk();
    else if (roll < 680)
        chooseMode();
    else if (roll < 840)
        getNumber();
    else if (roll < 860)
        chooseMenuItem("seed");
    else if (roll < 900)
        chooseMenuItem("view");
    else if (roll < 905)
        chooseMenuItem("about");
    else if (roll < 995)
        editSeedBox();
    else
        endRun();
    QCoreApplication::sendPostedEvents(); // keys sent by Generate Number
    QCoreApplication::processEvents();
}

QWidget* Monkey::shownWindow() const
{
    if (!program_)
        return nullptr;
    if (program_->mainForm().isVisible())
        return &program_->mainForm();
    return &program_->nameForm();
}

void Monkey::activate(QWidget* window)
{
    // A person clicks into the window they use; the offscreen platform needs telling, and a
    // window manager or compositor takes a moment.
    QCoreApplication::processEvents(); // activation changes the platform has queued
    if (window && QApplication::activeWindow() != window) {
        window->activateWindow();
        if (!waitActive(*window))
            check(false, QStringLiteral("%1 cannot be activated").arg(window->objectName()));
    }
}

QList<QWidget*> Monkey::shownBoxes() const
{
    QList<QWidget*> boxes;
    QWidget* window = shownWindow();
    for (auto* box : window->findChildren<platform::forms::TextBox*>())
        if (box->isVisible())
            boxes << box;
    return boxes;
}

void Monkey::note(const QString& action)
{
    trail_ << action;
    if (trail_.size() > 8)
        trail_.removeFirst();
}

// Actions ---------------------------------------------------------------------------------

void Monkey::typeKey(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers mods,
                     int code)
{
    if (target == program_->nameForm().txtname() && code >= 0)
        keytotal_ = qint16(quint16(keytotal_) + quint16(qint16(code)));
    if (target == program_->mainForm().txtvalue())
        seedEdited_ = true;
    note(QStringLiteral("key %1 \"%2\" in %3")
             .arg(key)
             .arg(text.toHtmlEscaped(), target->objectName()));
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), text, mods);
}

void Monkey::typeIntoBox()
{
    const QList<QWidget*> boxes = shownBoxes();
    if (boxes.isEmpty())
        return;
    QWidget* box = boxes[random_.bounded(int(boxes.size()))];
    const int kind = random_.bounded(100);
    if (kind < 70) {
        const QChar c = printable[random_.bounded(int(printable.size()))];
        const int key =
            c.toUpper().unicode() < 0x80 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown);
        typeKey(box, key, QString(c), Qt::NoModifier, c.unicode());
        return;
    }
    struct Special {
        int key;
        Qt::KeyboardModifiers mods;
        const char* text;
        int code; // the key code the box reports, or -1 for none
    };
    // clang-format off
    static const Special specials[] = {
        {Qt::Key_Backspace, Qt::NoModifier, "\b", 8},
        {Qt::Key_Return, Qt::NoModifier, "\r", 13},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", 27},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", -1},
        {Qt::Key_Left, Qt::NoModifier, "", -1},
        {Qt::Key_Home, Qt::NoModifier, "", -1},
        {Qt::Key_End, Qt::ShiftModifier, "", -1},
        {Qt::Key_A, Qt::ControlModifier, "\x01", 1},
        {Qt::Key_V, Qt::ControlModifier, "\x16", 22},
        {Qt::Key_X, Qt::ControlModifier, "\x18", 24},
        {Qt::Key_Z, Qt::ControlModifier, "\x1a", 26},
        {Qt::Key_Tab, Qt::NoModifier, "\t", -1},
    };
    // clang-format on
    const Special& s = specials[random_.bounded(int(std::size(specials)))];
    if (s.key == Qt::Key_V) // something on the clipboard to paste
        QGuiApplication::clipboard()->setText(random_.bounded(2) ? "42" : "x1");
    typeKey(box, s.key, QString::fromLatin1(s.text), s.mods, s.code);
    if (s.key == Qt::Key_V || s.key == Qt::Key_Z) // a paste or an undo may bring back text
        markPastedInto(box);
}

void Monkey::markPastedInto(QWidget* box)
{
    for (int i = 0; i < 2; ++i)
        if (box == control<QWidget>(program_->mainForm(), i ? "txttwo" : "txtone"))
            boxMayHoldText_[i] = true;
}

void Monkey::pasteIntoBox()
{
    const QList<QWidget*> boxes = shownBoxes();
    if (boxes.isEmpty())
        return;
    auto* box = static_cast<platform::forms::TextBox*>(boxes[random_.bounded(int(boxes.size()))]);
    // clang-format off
    static const QStringList texts = {"7", "123", "abc", "-5", "1.5", "99999", "2147485641",
                                      " 8 ", "\u00e9\u4e2d", "", "12345678901234567890"};
    // clang-format on
    QGuiApplication::clipboard()->setText(texts[random_.bounded(int(texts.size()))]);
    if (random_.bounded(2))
        box->selectAll();
    note(QStringLiteral("paste \"%1\" in %2")
             .arg(QGuiApplication::clipboard()->text(), box->objectName()));
    box->paste(); // as the context menu's Paste does: no key press
    if (box == program_->mainForm().txtvalue())
        seedEdited_ = true;
    markPastedInto(box);
}

void Monkey::typeLongName()
{
    if (!program_->nameForm().isVisible())
        return;
    // On a real display server every key sends the compositor the whole text, for its input
    // method: typed far faster than anyone can, a long name would overflow the connection.
    // There names are shorter and typed in bursts the compositor keeps up with.
    const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
    const int length = offscreen ? 1000 + random_.bounded(4000) : 300 + random_.bounded(1200);
    for (int i = 0; i < length; ++i) {
        const QChar c = QChar(u'a' + random_.bounded(26));
        typeKey(program_->nameForm().txtname(), Qt::Key_A + (c.unicode() - u'a'), QString(c),
                Qt::NoModifier, c.unicode());
        if (!offscreen && i % 10 == 9)
            QTest::qWait(10);
    }
}

void Monkey::pressOk()
{
    frmname& name = program_->nameForm();
    if (!name.isVisible())
        return;
    auto* ok = control<QPushButton>(name, "cmdok");
    if (ok->isEnabled()) {
        everOk_ = true;
        publishedSeed_ = QString::number(keytotal_);
        seedEdited_ = false;
    }
    const bool click = random_.bounded(2);
    note(click ? "click OK" : "Alt+O");
    if (click)
        QTest::mouseClick(ok, Qt::LeftButton);
    else
        QTest::keyClick(&name, Qt::Key_O, Qt::AltModifier);
}

void Monkey::chooseMode()
{
    frmmain& main = program_->mainForm();
    if (!main.isVisible())
        return;
    const bool range = random_.bounded(2);
    note(range ? "range mode" : "pure mode");
    if (random_.bounded(2))
        QTest::mouseClick(control<QWidget>(main, range ? "optrange" : "optpure"), Qt::LeftButton);
    else
        QTest::keyClick(&main, range ? Qt::Key_R : Qt::Key_P, Qt::AltModifier);
}

void Monkey::getNumber()
{
    frmmain& main = program_->mainForm();
    if (!main.isVisible())
        return;
    const QString number = control<QLabel>(main, "lblnumber")->text();
    const qint32 lastvalue = main.property("lastvalue").toInt();
    const QString greeting = control<platform::forms::Frame>(main, "frmrandom")->caption();
    const qsizetype messages = boxes_.seen().size();
    const int way = random_.bounded(3);
    note(QStringLiteral("Get Number %1").arg(way));
    switch (way) {
    case 0:
        QTest::mouseClick(main.cmdget(), Qt::LeftButton);
        break;
    case 1:
        QTest::keyClick(&main, Qt::Key_G, Qt::AltModifier);
        break;
    default:
        chooseMenuItem("gennum");
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        break;
    }
    checkDraw(number, lastvalue, greeting, messages);
}

void Monkey::chooseMenuItem(const char* name)
{
    frmmain& main = program_->mainForm();
    if (!main.isVisible())
        return;
    note(QStringLiteral("menu %1").arg(name));
    QMenuBar* bar = main.menuBar();
    auto* menu = main.findChild<QMenu*>("random");
    auto* item = main.findChild<QAction*>(name);
    pointAndClick(bar, bar->actionGeometry(menu->menuAction()).center());
    if (!menu->isVisible()) {
        check(false, "the Dicewright menu did not open");
        return;
    }
    pointAndClick(menu, menu->actionGeometry(item).center());
    if (program_->mainForm().isVisible())
        activate(&program_->mainForm());
}

void Monkey::editSeedBox()
{
    frmmain& main = program_->mainForm();
    if (!main.isVisible() || !main.txtvalue()->isVisible())
        return;
    static const QStringList seeds = {"195", "0",   "-32768", "32767", "32768", "99999",
                                      "abc", "1e3", "",       "12 3",  "-"};
    main.txtvalue()->selectAll();
    QTest::keyClick(main.txtvalue(), Qt::Key_Backspace);
    const QString seed = seeds[random_.bounded(int(seeds.size()))];
    for (QChar c : seed)
        typeKey(main.txtvalue(), c.toUpper().unicode(), QString(c), Qt::NoModifier, -1);
    seedEdited_ = true;
}

void Monkey::endRun()
{
    frmmain& main = program_->mainForm();
    const int way = random_.bounded(3);
    note(QStringLiteral("way out %1").arg(way));
    if (way == 0 && main.isVisible())
        pointAndClick(main.menuBar(),
                      main.menuBar()->actionGeometry(main.findChild<QAction*>("exit")).center());
    else if (way == 1 && main.isVisible())
        main.close();
    else
        shownWindow()->close();

    ++result_.checks;
    check(unloading_[0] == 1 && unloading_[1] == 1,
          QStringLiteral("Unload ran %1 times in the main window and %2 in the name window")
              .arg(unloading_[0])
              .arg(unloading_[1]));
    check(ended_ == 1, QStringLiteral("the run ended %1 times").arg(ended_));
    check(!program_->mainForm().isLoaded() && !program_->nameForm().isLoaded() &&
              !program_->mainForm().isVisible() && !program_->nameForm().isVisible(),
          QStringLiteral("a window is still there after a way out"));
    program_.reset();
}

// Invariants ------------------------------------------------------------------------------

void Monkey::check(bool condition, const QString& what)
{
    ++result_.checks;
    if (!condition && result_.failure.isEmpty())
        result_.failure = QStringLiteral("seed %1, action %2: %3 (after: %4)")
                              .arg(seed_)
                              .arg(result_.actions)
                              .arg(what, trail_.join(", "));
}

void Monkey::checkState()
{
    frmmain& main = program_->mainForm();
    frmname& name = program_->nameForm();
    check(main.isLoaded() && name.isLoaded(), QStringLiteral("a window was unloaded"));
    check(
        main.isVisible() != name.isVisible(),
        QStringLiteral("%1 windows on screen").arg(int(main.isVisible()) + int(name.isVisible())));
    check(control<QPushButton>(name, "cmdok")->isEnabled() != name.txtname()->text().isEmpty(),
          QStringLiteral("OK does not follow the name box"));
    check(main.cmdget()->isEnabled() == everOk_,
          everOk_ ? QStringLiteral("Get Number disabled after OK")
                  : QStringLiteral("Get Number enabled before any OK"));
    if (everOk_ && !seedEdited_)
        check(main.txtvalue()->text() == publishedSeed_,
              QStringLiteral("seed text %1, expected %2")
                  .arg(main.txtvalue()->text(), publishedSeed_));
    for (int i = 0; i < 2; ++i) {
        const QString text = control<QLineEdit>(main, i ? "txttwo" : "txtone")->text();
        if (isDigitsOnly(text))
            boxMayHoldText_[i] = false;
        else
            check(boxMayHoldText_[i], QStringLiteral("bound box holds \"%1\"").arg(text));
    }
    for (const QString& message : boxes_.texts()) {
        const bool known = message == rangeMessage ||
                           message.startsWith("Dicewright was created") ||
                           message == "Run-time error '13':\n\nType mismatch" ||
                           message == "Run-time error '6':\n\nOverflow";
        check(known, QStringLiteral("unexpected message: %1").arg(message));
    }
    boxes_.clear();
}

void Monkey::checkDraw(const QString& numberBefore, qint32 lastvalueBefore,
                       const QString& greetingBefore, qsizetype messagesBefore)
{
    frmmain& main = program_->mainForm();
    const QString number = control<QLabel>(main, "lblnumber")->text();
    const QString greeting = control<platform::forms::Frame>(main, "frmrandom")->caption();
    const QStringList said = boxes_.texts().mid(messagesBefore);
    if (!everOk_)
        return;
    if (said.contains(rangeMessage)) {
        ++result_.refusedDraws;
        check(number == numberBefore && main.property("lastvalue").toInt() == lastvalueBefore &&
                  greeting == greetingBefore,
              QStringLiteral("a refused draw changed the result"));
    } else if (!said.isEmpty()) {
        ++result_.failedDraws;
        check(number == numberBefore && main.property("lastvalue").toInt() == lastvalueBefore,
              QStringLiteral("a failed draw changed the number"));
        const bool mayFail = seedEdited_ || boxMayHoldText_[0] || boxMayHoldText_[1] ||
                             control<QLineEdit>(main, "txtone")->text().size() >= 10 ||
                             control<QLineEdit>(main, "txttwo")->text().size() >= 10;
        check(mayFail, QStringLiteral("a draw failed on good input: %1").arg(said.join(' ')));
    } else {
        ++result_.draws;
        check(number == QString::number(main.property("lastvalue").toInt()),
              QStringLiteral("shows %1 but lastvalue is %2")
                  .arg(number)
                  .arg(main.property("lastvalue").toInt()));
        check(greeting == program_->nameForm().txtname()->text() + ", your number is:",
              QStringLiteral("greeting \"%1\"").arg(greeting));
    }
}
