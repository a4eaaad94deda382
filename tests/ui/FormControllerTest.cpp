#include "ui/FormController.h"
#include "core/CheckpointTrail.h"
#include "core/Exceptions.h"
#include "dialogs/ApplicationForms.h"
#include "ui/ActionList.h"
#include "ui/Application.h"
#include "ui/ControlledForm.h"

#include <QtTest>

namespace {
class TTestForm : public TControlledForm {};

class TBrokenForm : public TControlledForm {
public:
    TBrokenForm() { throw Exception("no window"); }
};

// A controller with a designed command list: aFirst, aSame, aSame (twice), aCase.
class TTestController : public TFormController {
public:
    explicit TTestController(bool viaApplication, bool withList = true)
        : TFormController(GetFormClass(), viaApplication) {
        if (!withList)
            return;
        ActionList = new TActionList(Form);
        for (const char* name : {"aFirst", "aSame", "aSame", "aCase"})
            ActionList->Add(new TAction(name));
    }
    static TFormClass GetFormClass() { return FormClassOf<TTestForm>(); }
};

bool Adopted(QWidget* form) {
    const auto forms = AdoptedForms();
    return std::find(forms.begin(), forms.end(), form) != forms.end();
}
} // namespace

class FormControllerTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { UnwindTrail(true); }

    void first_window_via_application_is_main_window() {
        TTestController main(true);
        TTestController second(true);
        TTestController owned(false);
        QCOMPARE(TApplication::Instance()->MainForm(), main.Form);
        QCOMPARE(main.Form->Controller, &main);
        QCOMPARE(owned.Form->Controller, &owned);
        QVERIFY(Adopted(owned.Form));
        QVERIFY(TrailEmpty());
    }

    void destroying_controller_frees_its_window() {
        auto controller = std::make_unique<TTestController>(false);
        QPointer<QWidget> form = controller->Form;
        controller.reset();
        QVERIFY(form.isNull());
        QVERIFY(!Adopted(form));
        QVERIFY(!QApplication::topLevelWidgets().contains(form.data()));
        QVERIFY(TrailEmpty());
    }

    void failed_window_leaves_construction_frame() {
        for (bool viaApplication : {false, true}) {
            UnwindTrail(true);
            try {
                TFormController controller(FormClassOf<TBrokenForm>(), viaApplication);
                QFAIL("created");
            } catch (const Exception& e) {
                QCOMPARE(e.Message, std::string("no window"));
            }
            QCOMPARE(TopCheckpoint(), std::string(viaApplication ? "FW_Layers_003" : "FW_Layers_002"));
        }
    }

    void find_is_exact_and_takes_first() {
        TTestController controller(false);
        const auto& actions = controller.ActionList->Actions();
        QCOMPARE(controller.FindAction("aSame"), actions[1]);
        QVERIFY(controller.FindAction("acase") == nullptr);
        QVERIFY(controller.FindAction("aCase ") == nullptr);
        QCOMPARE(controller.FindAction("aCase"), actions[3]);
        QVERIFY(TrailEmpty());
    }

    void bind_replaces_handlers_of_first_match() {
        TTestController controller(false);
        std::vector<std::string> runs;
        TAction* bound = controller.BindAction(
            "aSame", [&](TAction&) { runs.push_back("execute"); },
            [&](TAction&) { runs.push_back("update"); });
        QCOMPARE(bound, controller.ActionList->Actions()[1]);
        bound->trigger();
        bound->Update();
        controller.ActionList->Actions()[2]->trigger();
        QCOMPARE(runs, std::vector<std::string>({"execute", "update"}));
        QVERIFY(controller.BindAction("aMissing", nullptr, nullptr) == nullptr);
    }

    void add_appends_command_with_its_fields() {
        TTestController controller(false);
        int runs = 0;
        TAction* added = controller.AddAction(
            "aNew", "New...", 7, [&](TAction&) { ++runs; }, nullptr);
        QCOMPARE(controller.ActionList->Actions().back(), added);
        QCOMPARE(added->text(), QString("New..."));
        QCOMPARE(added->ImageIndex, 7);
        QCOMPARE(added->Tag, 0);
        QCOMPARE(controller.FindAction("aNew"), added);
        added->trigger();
        QCOMPARE(runs, 1);
    }

    void without_list_nothing_is_found_or_bound() {
        TTestController controller(false, false);
        QVERIFY(controller.FindAction("aFirst") == nullptr);
        QVERIFY(controller.BindAction("aFirst", nullptr, nullptr) == nullptr);
        QVERIFY(controller.AddAction("aNew", "New", 0, nullptr, nullptr) == nullptr);
    }

    void closing_main_window_ends_loop() {
        TTestController main(true);
        TApplication* application = TApplication::Instance();
        if (application->MainForm() != main.Form)
            QSKIP("another window is the main window");
        QMetaObject::invokeMethod(
            main.Form, [&] { main.Form->close(); }, Qt::QueuedConnection);
        QCOMPARE(application->Run(), 0);
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    FormControllerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FormControllerTest.moc"
