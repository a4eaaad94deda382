#include "dialogs/TrayIcon.h"

#include "frame/ExceptionHook.h"

#include <QAction>
#include <QtTest>

#include <stdexcept>

namespace {
// Records what the icon tells the notification area.
struct TShellLog {
    QStringList Calls;
    std::vector<QPoint> MenusShownAt;
    QPoint Cursor{40, 700};
};

class TFakeShell : public ITrayShell {
public:
    explicit TFakeShell(TShellLog& log) : log_(log) {}
    void Add(const TNotifyIconData& data) override { log_.Calls << "add:" + data.Tip; }
    void Modify(const TNotifyIconData& data) override { log_.Calls << "modify:" + data.Tip; }
    void Delete() override { log_.Calls << "delete"; }
    QPoint CursorPos() const override { return log_.Cursor; }
    void ShowMenu(QMenu&, QPoint at) override { log_.MenusShownAt.push_back(at); }
    void SetReceiver(std::function<void(TTrayMouse)>) override {}

private:
    TShellLog& log_;
};
} // namespace

class TrayIconTest : public QObject {
    Q_OBJECT

    TShellLog log_;
    std::unique_ptr<TTrayIcon> icon_;
    QMenu menu_;
    QAction* restore_ = nullptr;

private slots:
    void init() {
        log_ = TShellLog();
        icon_ = std::make_unique<TTrayIcon>(nullptr, std::make_unique<TFakeShell>(log_));
        menu_.clear();
        restore_ = menu_.addAction("Restore Window...");
        menu_.addSeparator();
        menu_.addAction("Exit");
        menu_.setDefaultAction(restore_);
    }
    void cleanup() { icon_.reset(); }

    void tip_is_cut_at_bar_and_to_63_characters() {
        icon_->SetTip("Open|long help text");
        QCOMPARE(icon_->ShownTip(), QString("Open"));
        icon_->SetTip(QString(100, 'x'));
        QCOMPARE(icon_->ShownTip(), QString(63, 'x'));
    }

    void every_visibility_assignment_is_sent() {
        icon_->SetTip("Tip");
        icon_->SetIconVisible(true);
        icon_->SetIconVisible(true);
        icon_->SetIconVisible(false);
        icon_->SetIconVisible(false);
        QCOMPARE(log_.Calls, QStringList({"add:Tip", "add:Tip", "delete", "delete"}));
    }

    void tip_and_icon_changes_modify_only_while_visible() {
        icon_->SetTip("Hidden");
        QVERIFY(log_.Calls.isEmpty());
        icon_->SetIconVisible(true);
        icon_->SetTip("Shown|help");
        icon_->SetIcon(QIcon());
        QCOMPARE(log_.Calls, QStringList({"add:Hidden", "modify:Shown", "modify:Shown"}));
    }

    void double_click_runs_default_item_not_handler() {
        int restored = 0, doubleClicks = 0;
        connect(restore_, &QAction::triggered, this, [&] { ++restored; });
        icon_->OnDblClick = [&](TTrayIcon&) { ++doubleClicks; };
        icon_->SetPopupMenu(&menu_);
        icon_->SetIconVisible(true);
        icon_->HandleMouse(TTrayMouse::LeftDoubleClick);
        QCOMPARE(restored, 1);
        QCOMPARE(doubleClicks, 0);
    }

    void double_click_without_default_item_calls_handler() {
        int doubleClicks = 0;
        icon_->OnDblClick = [&](TTrayIcon& sender) {
            QCOMPARE(&sender, icon_.get());
            ++doubleClicks;
        };
        menu_.setDefaultAction(nullptr);
        icon_->SetPopupMenu(&menu_);
        icon_->SetIconVisible(true);
        icon_->HandleMouse(TTrayMouse::LeftDoubleClick);
        icon_->SetPopupMenu(nullptr);
        icon_->HandleMouse(TTrayMouse::LeftDoubleClick);
        QCOMPARE(doubleClicks, 2);
    }

    void right_click_pops_menu_at_cursor_only_when_visible() {
        int clicks = 0;
        icon_->OnClick = [&](TTrayIcon&, Qt::MouseButton, QPoint) { ++clicks; };
        icon_->SetPopupMenu(&menu_);
        icon_->HandleMouse(TTrayMouse::RightUp);
        QCOMPARE(clicks, 1);
        QVERIFY(log_.MenusShownAt.empty());
        icon_->SetIconVisible(true);
        icon_->HandleMouse(TTrayMouse::RightUp);
        QCOMPARE(clicks, 1);
        QCOMPARE(log_.MenusShownAt, std::vector<QPoint>({log_.Cursor}));
    }

    void clicks_without_menu_report_button_and_cursor() {
        std::vector<std::pair<Qt::MouseButton, QPoint>> clicks;
        icon_->OnClick = [&](TTrayIcon&, Qt::MouseButton button, QPoint at) {
            clicks.emplace_back(button, at);
        };
        icon_->SetIconVisible(true);
        icon_->HandleMouse(TTrayMouse::RightUp);
        icon_->HandleMouse(TTrayMouse::LeftUp);
        QCOMPARE(clicks.size(), std::size_t(2));
        QCOMPARE(clicks[0].first, Qt::RightButton);
        QCOMPARE(clicks[0].second, log_.Cursor);
        QCOMPARE(clicks[1].first, Qt::LeftButton);
    }

    void menu_freed_is_dropped() {
        auto* menu = new QMenu;
        icon_->SetPopupMenu(menu);
        delete menu;
        QVERIFY(icon_->PopupMenu() == nullptr);
    }

    void handler_exception_goes_to_application_handler() {
        std::vector<std::string> reported;
        SetApplicationExceptionHook([&](std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                reported.emplace_back(e.what());
            }
        });
        icon_->OnClick = [](TTrayIcon&, Qt::MouseButton, QPoint) {
            throw std::runtime_error("click failed");
        };
        icon_->HandleMouse(TTrayMouse::LeftUp);
        SetApplicationExceptionHook(nullptr);
        QCOMPARE(reported, std::vector<std::string>({"click failed"}));
    }

    void destruction_removes_visible_icon() {
        icon_->SetIconVisible(true);
        icon_.reset();
        QCOMPARE(log_.Calls.last(), QString("delete"));
        log_.Calls.clear();
        icon_ = std::make_unique<TTrayIcon>(nullptr, std::make_unique<TFakeShell>(log_));
        icon_.reset();
        QVERIFY(log_.Calls.isEmpty());
    }
};

QTEST_MAIN(TrayIconTest)
#include "TrayIconTest.moc"
