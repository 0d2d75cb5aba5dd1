#pragma once

// A seeded monkey: runs Dicewright again and again, making random user actions through real
// key presses, clicks and menus, and checks what a person must always be able to rely on
// after every action. The same seed makes the same actions.

#include "support/desktopfocus.h"
#include "support/lockwatch.h"
#include "support/messageboxanswerer.h"

#include <QObject>
#include <QRandomGenerator>
#include <QStringList>

#include <memory>

class Program;
class QWidget;

class Monkey : public QObject {
public:
    struct Result {
        qint64 actions = 0;
        qint64 checks = 0;
        qint64 runs = 0;
        qint64 draws = 0;        // numbers drawn
        qint64 refusedDraws = 0; // "Please enter a number range."
        qint64 failedDraws = 0;  // a run-time error shown
        QString failure;         // empty when every invariant held
    };

    explicit Monkey(quint64 seed);
    ~Monkey() override;

    // Makes `actions` actions in all, starting the program afresh after each way out.
    // Stops at the first broken invariant.
    Result run(qint64 actions);

private:
    void startProgram();
    void act();
    void endRun();

    // Actions
    void typeIntoBox();
    void pasteIntoBox();
    void typeLongName();
    void pressOk();
    void chooseMode();
    void getNumber();
    void chooseMenuItem(const char* name);
    void editSeedBox();
    void markPastedInto(QWidget* box);

    // What the person sees and what the model expects.
    void check(bool condition, const QString& what);
    void checkState();
    void checkDraw(const QString& numberBefore, qint32 lastvalueBefore,
                   const QString& greetingBefore, qsizetype messagesBefore);
    void typeKey(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers mods,
                 int code);
    QWidget* shownWindow() const;
    QList<QWidget*> shownBoxes() const;
    void activate(QWidget* window);
    void note(const QString& action);

    DesktopFocus desktopFocus_;
    LockWatch lockWatch_;
    quint64 seed_;
    QRandomGenerator random_;
    std::unique_ptr<Program> program_;
    Result result_;

    // The model of one run.
    qint16 keytotal_ = 0;
    bool everOk_ = false;
    QString publishedSeed_;
    bool seedEdited_ = false;
    bool boxMayHoldText_[2] = {false, false}; // a paste may leave non-digits in a bound box
    int unloading_[2] = {0, 0};
    int ended_ = 0;
    MessageBoxAnswerer boxes_;
    QStringList trail_; // the last actions, for the failure report
};
