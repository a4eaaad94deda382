#include "ui/Application.h"
#include "dialogs/ButtonEx.h"
#include "frame/ExceptionHook.h"
#include "ui/Action.h"
#include "ui/ActionList.h"

#include <QDialog>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

namespace {
// Collects the messages of the exceptions handed to the application's handler.
class TReported {
public:
    TReported() {
        SetApplicationExceptionHook([this](std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                Messages.emplace_back(e.what());
            } catch (...) {
                Messages.emplace_back("unknown");
            }
        });
    }
    ~TReported() { SetApplicationExceptionHook(nullptr); }
    std::vector<std::string> Messages;
};

void Post(QObject* context, std::function<void()> work) {
    QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
}

// Lets the loop turn idle once.
void RunUntilIdle() {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void look_is_fusion_with_window_colour_and_tahoma() {
        QCOMPARE(QApplication::style()->name().toLower(), QString("fusion"));
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(224, 223, 228));
        QCOMPARE(QApplication::font().family(), QString("Tahoma"));
        QCOMPARE(QApplication::font().pointSize(), 8);
        QCOMPARE(TApplication::Title(), QString("Pellox Termwright V 1.1.0"));
        QVERIFY(!QApplication::windowIcon().isNull());
    }

    void escaping_exceptions_go_to_the_handler_and_the_loop_goes_on() {
        TReported reported;
        QObject context;
        bool ranAfter = false;
        Post(&context, [] { throw std::runtime_error("first"); });
        Post(&context, [] { throw 42; });
        Post(&context, [&] { ranAfter = true; });
        QCoreApplication::processEvents();
        QCOMPARE(reported.Messages, std::vector<std::string>({"first", "unknown"}));
        QVERIFY(ranAfter);
    }

    void exceptions_inside_a_modal_loop_reach_the_handler() {
        TReported reported;
        QDialog dialog;
        Post(&dialog, [] { throw std::runtime_error("in dialog"); });
        Post(&dialog, [&] { dialog.accept(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(reported.Messages, std::vector<std::string>({"in dialog"}));
    }

    void idle_updates_enable_states_of_buttons_and_menu_items() {
        TActionList list;
        auto* action = new TAction("aDeleteAll");
        list.Add(action);
        bool allowed = false;
        action->OnUpdate = [&](TAction& a) { a.setEnabled(allowed); };
        QMenu menu;
        menu.addAction(action);
        TButtonEx button;
        button.SetAction(action);
        RunUntilIdle();
        QVERIFY(!action->isEnabled());
        QVERIFY(!button.isEnabled());
        allowed = true;
        RunUntilIdle();
        QVERIFY(menu.actions().first()->isEnabled());
        QVERIFY(button.isEnabled());
    }

    void raising_update_handler_is_reported() {
        TReported reported;
        TActionList list;
        auto* action = new TAction("aBroken");
        action->OnUpdate = [](TAction&) { throw std::runtime_error("rule failed"); };
        list.Add(action);
        RunUntilIdle();
        QVERIFY(!reported.Messages.empty());
        QCOMPARE(reported.Messages.front(), std::string("rule failed"));
    }

    void execute_handler_runs_on_trigger() {
        TAction action("aAdd");
        int runs = 0;
        action.OnExecute = [&](TAction& a) {
            QCOMPARE(a.Name(), QString("aAdd"));
            ++runs;
        };
        action.trigger();
        QCOMPARE(runs, 1);
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    ApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ApplicationTest.moc"
