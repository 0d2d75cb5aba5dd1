#pragma once

// Counts, from any thread, Qt's word that a lock was destroyed while held or used after it
// went: a window destroyed while another thread of Qt's still reached it.

#include <QString>
#include <QtGlobal>

#include <atomic>

class LockWatch {
public:
    LockWatch() { earlier = qInstallMessageHandler(note); }
    ~LockWatch() { qInstallMessageHandler(earlier); }
    static int misuses() { return count; }

private:
    static void note(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (text.startsWith(u"QMutex") || text.startsWith(u"QWaitCondition"))
            ++count;
        earlier(type, context, text);
    }
    static inline std::atomic<int> count = 0;
    static inline QtMessageHandler earlier = nullptr;
};
