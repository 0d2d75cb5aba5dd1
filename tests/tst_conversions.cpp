#include "platform/conversions.h"
#include <QTest>
class tst_conversions : public QObject { Q_OBJECT private slots: void x() { QCOMPARE(platform::toInteger("12"), qint16(12)); } };
QTEST_GUILESS_MAIN(tst_conversions)
#include "tst_conversions.moc"
