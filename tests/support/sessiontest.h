#pragma once

// The fixture of every window test: a fresh run of Dicewright for each test function, its
// name window up, and ended after it, so that no test leans on another's leftovers.

#include "support/session.h"
#include "support/windowcheck.h"

#include <QObject>

#include <memory>

class SessionTest : public QObject {
    Q_OBJECT

protected:
    // What every test of a class starts from, once the name window is up. A check that fails
    // here fails the test before it runs.
    virtual void prepare() {}

    std::unique_ptr<Session> s;
    std::unique_ptr<WindowCheck> windows;

private slots:
    void init();
    void cleanup();
};
