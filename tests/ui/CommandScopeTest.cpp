// Several observers of one window's commands: they hear a start in the order they came and the end in the
// reverse order, once for nested commands; when one of them fails at the start, the command does not run
// and those that heard it start hear it end.
#include "ui/CommandScope.h"

#include <QtTest>

#include <cstring>
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

    // What a command frees serves the command that follows at once; a moment later it goes back.
    void storageOfCommandsGoesBackAfterAMoment() {
        int argc = 0;
        const QCoreApplication app(argc, nullptr);
        TCommandBrackets brackets;
        constexpr std::size_t bytes = std::size_t{8} << 20;
        {
            const TCommandScope command(brackets);
            void* data = LargeBuffer::Map(bytes);
            std::memset(data, 1, bytes);
            LargeBuffer::Unmap(data, bytes);
        }
        QVERIFY(LargeBuffer::KeptBytes() >= bytes);
        QTRY_COMPARE_WITH_TIMEOUT(LargeBuffer::KeptBytes(), std::size_t{0}, 3000);
    }
};

QTEST_APPLESS_MAIN(CommandScopeTest)

#include "CommandScopeTest.moc"
