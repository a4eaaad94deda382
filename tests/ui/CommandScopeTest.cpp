// Several observers of one window's commands: they hear a start in the order they came and the end in the
// reverse order, once for nested commands; when one of them fails at the start, the command does not run
// and those that heard it start hear it end.
#include "ui/CommandScope.h"

#include <QtTest>

#include <stdexcept>
#include <string>

namespace {

class TRecorder : public ICommandObserver {
public:
    TRecorder(std::string& log, char name, bool failsToStart = false)
        : log_(log), name_(name), failsToStart_(failsToStart) {}
    void CommandStarting() override {
        if (failsToStart_)
            throw std::runtime_error("busy");
        log_ += '+';
        log_ += name_;
    }
    void CommandEnded() override {
        log_ += '-';
        log_ += name_;
    }

private:
    std::string& log_;
    char name_;
    bool failsToStart_;
};

} // namespace

class CommandScopeTest : public QObject {
    Q_OBJECT

private slots:
    void observersHearCommandsAsNestedBrackets() {
        std::string log;
        TRecorder a(log, 'a');
        TRecorder b(log, 'b');
        TRecorder failing(log, 'x', true);
        TCommandBrackets brackets;
        brackets.Observe(&a);
        brackets.Observe(&b);
        {
            const TCommandScope outer(brackets);
            const TCommandScope inner(brackets);
            QVERIFY(brackets.Running());
        }
        QCOMPARE(log, std::string("+a+b-b-a"));
        QVERIFY(!brackets.Running());

        log.clear();
        brackets.Observe(&failing);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, TCommandScope{brackets});
        QCOMPARE(log, std::string("+a+b-b-a"));
        QVERIFY(!brackets.Running());

        log.clear();
        brackets.Unobserve(&failing);
        brackets.Unobserve(&a);
        { const TCommandScope command(brackets); }
        QCOMPARE(log, std::string("+b-b"));
    }
};

QTEST_APPLESS_MAIN(CommandScopeTest)

#include "CommandScopeTest.moc"
