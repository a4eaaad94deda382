#include "tests/ui/FakeMainView.h"
#include "tests/ui/UiTestSupport.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "dialogs/ButtonEx.h"
#include "dialogs/ModalRun.h"
#include "dialogs/TrayIcon.h"
#include "frame/ErrorLog.h"
#include "frame/ManagementLayer.h"
#include "ui/Application.h"
#include "ui/ListFilter.h"
#include "ui/MainFormController.h"
#include "ui/MainWindow.h"
#include "ui/RowSelection.h"
#include "ui/TrayBehaviour.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <fstream>
#include <optional>

namespace {

using Strings = std::vector<std::string>;

Strings Texts(const TKeyItems& list) {
    Strings texts;
    for (auto t : list.AllTexts())
        texts.emplace_back(t);
    return texts;
}

// Every line of a menu as the user meets it, a submenu's lines indented below it, each command with its name.
QStringList MenuOutline(const QMenu& menu, const QString& indent = {}) {
    QStringList lines;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            lines << indent + "-";
        } else if (action->menu()) {
            lines << indent + ">" + action->text();
            lines << MenuOutline(*action->menu(), indent + "  ");
        } else {
            lines << indent + action->objectName() + " " + action->text();
        }
    }
    return lines;
}

// Receives the addresses the program opens in the browser.
class TUrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl& url) { opened << url.toString(); }

public:
    QStringList opened;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    TFakeControllerDialogs dialogs;
    TMainFormController* controller = nullptr;
    TfrmMain* window = nullptr;
    TRecordingBoxes* boxes = nullptr;
    TFakeClipboard clipboard;
    std::optional<TBusinessLogicLayer> lists;
    TErrorLog log;
    std::optional<TManagementLayer> management;

    TKeyItems& Current() { return *lists->CurrentList(); }
    void Fill(std::initializer_list<const char*> texts) {
        for (auto t : texts)
            Current().AddKeyword(t);
        controller->RefreshView(false, false);
    }
    QPoint RowPoint(int row, int column = 1) {
        const QHeaderView& header = window->lvMain->Header();
        return {header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
                window->lvMain->RowRect(row).center().y()};
    }
    QColor PixelOfRow(int row) {
        const QImage image = window->lvMain->viewport()->grab().toImage();
        return image.pixelColor(RowPoint(row, 1) + QPoint(100, 0));
    }
    void ClickHeader(int column) {
        QHeaderView& header = window->lvMain->Header();
        const int x = header.sectionViewportPosition(column) + header.sectionSize(column) / 2;
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(x, header.height() / 2));
    }

private slots:
    void init() {
        UnwindTrail(true);
        boxes = new TRecordingBoxes();
        lists.emplace();
        management.emplace(*lists, log);
        dialogs = TFakeControllerDialogs();
        dialogs.management = &*management;
        controller = new TMainFormController([this] { return new TfrmMain(*lists, *boxes); },
                                             {*lists, *management, dialogs, clipboard});
        window = static_cast<TfrmMain*>(controller->Form);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void cleanup() {
        delete controller;
        management.reset();
        lists.reset();
        delete boxes;
        UnwindTrail(true);
    }

    void controlsSitAtTheirPlacesAndFollowTheirAnchors() {
        QCOMPARE(window->size(), QSize(792, 562));
        QCOMPARE(window->Bounds(), (TWindowBounds{126, 89, 800, 596}));
        QCOMPARE(window->btnAdd->geometry(), QRect(24, 129, 152, 28));
        QCOMPARE(window->btnExport->geometry(), QRect(354, 160, 152, 28));
        QCOMPARE(window->btnClose->geometry(), QRect(671, 509, 102, 28));
        QCOMPARE(window->Image3->geometry(), QRect(606, 13, 173, 25));
        QCOMPARE(window->Shape1->geometry(), QRect(25, 261, 627, 276));
        QCOMPARE(window->lvMain->geometry(), QRect(29, 265, 619, 268));
        QCOMPARE(window->btnDelete->ImageStartIndex(), 6);
        QCOMPARE(window->btnTray->ImageStartIndex(), 9);
        QCOMPARE(window->btnTray->ImageList()->Count(), 18);
        QCOMPARE(window->btnEdit->geometry(), QRect(671, 191, 102, 28));
        QCOMPARE(window->btnAdd->ImageList()->Count(), 27);
        QCOMPARE(window->btnLists->geometry(), QRect(354, 191, 152, 28));

        window->resize(1000, 700);
        QCOMPARE(window->btnClose->geometry(), QRect(879, 647, 102, 28));
        QCOMPARE(window->btnConfig->geometry(), QRect(879, 129, 102, 28));
        QCOMPARE(window->btnAdd->geometry(), QRect(24, 129, 152, 28));
        QCOMPARE(window->lvMain->geometry(), QRect(29, 265, 827, 406));
        QCOMPARE(window->Image3->pos(), QPoint(814, 13));
        window->resize(300, 300);
        QCOMPARE(window->size(), QSize(792, 559));
        QCOMPARE(window->Bounds().Height, 593);
        QCOMPARE(window->lvMain->height(), 265);
        window->SetBounds({40, 50, 900, 640});
        QCOMPARE(window->Bounds(), (TWindowBounds{40, 50, 900, 640}));
    }

    void menusHoldTheCommandsWithSeparatorsAndSubmenus() {
        QCOMPARE(MenuOutline(*window->Menu("mnuDelete")),
                 (QStringList{"aDeleteAll All Entries...", "aDeleteHighlighted Only Highlighted Entries", "-",
                              "aDeleteDuplicates Duplicate Entries", "-",
                              "aDeleteWordAtAnyWhere Entries With Terms Anywhere...",
                              "aDeleteWordAtStart Entries With Terms At Start...",
                              "aDeleteWordAtEnd Entries With Terms At End...",
                              "aDeleteWordAtMiddle Entries With Terms At Middle", "-",
                              "aDeleteWordCountMore Entries With More Than 'N' Words...",
                              "aDeleteWordCountLess Entries With Less Than 'N' Words...",
                              "aDeleteWordCountExactly Entries With Exactly 'N' Words..."}));
        QCOMPARE(MenuOutline(*window->Menu("mnuClean")),
                 (QStringList{"aCleanUnwantedCharacters Unwanted Characters...",
                              "aCleanUnwantedTerms Unwanted Terms...", "aCleanRepeatedSpaces Repeated Spaces",
                              "aCleanRepeatedCharacters Repeated Characters",
                              "aCleanTrailingChars Trailing/Leading Chars..."}));
        QCOMPARE(
            MenuOutline(*window->Menu("mnuModify")),
            (QStringList{
                "aModifyGoogleQuote Google Phrase Match", "aModifyGoogleBracket Google Exact Match",
                "aModifyGoogleNone Google Broad Match", "-", "aModifyAddWordsAtStart Add Words At Start...",
                "aModifyAddWordsAtEnd Add Words At End...", "-", "aModifySearchReplace Search && Replace...",
                "-", "aModifyLowerCase Convert To Lowercase", "aModifyUpperCase Convert To Uppercase",
                "aModifyCamelCase First Letters To UpperCase", "-", ">Sort", "  aModifySortAsc Ascending",
                "  aModifySortDesc Descending", "  aModifySortAscWC Ascending Word Count",
                "  aModifySortDescWC Descending Word Count"}));
        QCOMPARE(MenuOutline(*window->Menu("mnuMultiply")),
                 (QStringList{"aMultipleMisspelled Add Misspelled Words...",
                              "aMultiplyReplaceAndDuplicate Replace Words and Duplicate...",
                              "aMultipleRecombine Recombine Words...", "-",
                              "aMultiplyAddWordsStart Add Words At Start...",
                              "aMultiplyAddWordsEnd Add Words At End...", "-",
                              "aMultipleGoogleQuote Google Phrase Match",
                              "aMultipleGoogleBracket Google Exact Match"}));
        QCOMPARE(MenuOutline(*window->Menu("mnuHighlight")),
                 (QStringList{">Entries That Contain", "  aHighlightWordAtStart Word At Start...",
                              "  aHighlightWordAtEnd Word At End...",
                              "  aHighlightWordAtAnyWhere Word Anywhere...", "  -",
                              "  aHighlightWordCountMore More Than 'N' Words...",
                              "  aHighlightWordCountLess Less Than 'N' Words...",
                              "  aHighlightWordCountExactly Equal To 'N' Words...", "-",
                              "aHighlightInvert Invert Selection", "aHighlightAll All Entries",
                              "aHighlightNone Select None"}));
        QCOMPARE(MenuOutline(*window->Menu("mnuExport")),
                 (QStringList{
                     "aExportToFile All To Text File...", "aExportToList All To Another List...",
                     "aExportToClipboard All To Clipboard",
                     "aExportToClipboardComma All To Clipboard (Comma Seperated)", "-",
                     "aExportToFileHighlighted Highlighted Words To Text File...",
                     "aExportToListHighlighted Highlighted Words To Another List...",
                     "aExportToClipboardHighlighted Highlighted Words To Clipboard",
                     "aExportToClipboardCommaHighlighted Highlighted Words To Clipboard (Comma Seperated)"}));
        QCOMPARE(MenuOutline(*window->Menu("mnuConfig")),
                 (QStringList{"aConfigFont Colors && Font...", "-", "aConfigUpdates Check For Updates..."}));
        QCOMPARE(MenuOutline(*window->Menu("mnuLists")),
                 (QStringList{"aListsDeleteFound Delete Entries Found In Another List...",
                              "aListsHighlightFound Highlight Entries Found In Another List...",
                              "aListsKeepFound Keep Only Entries Found In Another List...",
                              "aListsDeleteWordsOf Delete Entries With Words Of Another List...",
                              "aListsAddMissing Add Missing Entries From Another List...", "-",
                              "aListsDeleteSameWords Delete Same Words In Another Order",
                              "aListsHighlightLonger Highlight Entries Longer Than...", "-",
                              "aListsWordFrequency Word Frequency..."}));
        QCOMPARE(MenuOutline(*window->Menu("mnuEdit")), (QStringList{"aEditUndo Undo", "aEditRedo Redo"}));
        const QMap<QString, QList<QKeySequence>> keys = {
            {"aHighlightAll", {QKeySequence("Ctrl+A")}},
            {"aEditUndo", {QKeySequence("Ctrl+Z")}},
            {"aEditRedo", {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}}};
        for (TAction* action : window->Commands().Actions())
            QCOMPARE(action->shortcuts(), keys.value(action->Name()));
        TActionList::UpdateAll();
        QVERIFY(!controller->FindAction("aDeleteAll")->isEnabled());
        Fill({"a"});
        TActionList::UpdateAll();
        QVERIFY(controller->FindAction("aDeleteAll")->isEnabled());
        QTest::mouseClick(window->btnClean, Qt::LeftButton, {}, QPoint(40, 14));
        QMenu* clean = window->Menu("mnuClean");
        QTRY_VERIFY(clean->isVisible());
        QCOMPARE(clean->pos(), window->btnClean->mapToGlobal(QPoint(0, 28)));
        clean->close();
        QTest::mouseClick(window->btnLists, Qt::LeftButton, {}, QPoint(40, 14));
        QTRY_VERIFY(window->Menu("mnuLists")->isVisible());
        window->Menu("mnuLists")->close();
    }

    void rowsShowNumbersTextsAndTheListsColours() {
        Current().Settings.SetColor(TListSettings::OddBack, 0x0000FF);
        Current().Settings.SetColor(TListSettings::EvenBack, 0xFF0000);
        Fill({"red shoes", "caf\xC3\xA9", "boots"});
        TODRow row;
        QVERIFY(window->lvMain->FetchRow(1, row));
        QCOMPARE(row.Caption, QString("2"));
        QCOMPARE(row.SubItem, QString::fromUtf8("café"));
        QCOMPARE(PixelOfRow(0), QColor(255, 0, 0));
        QCOMPARE(PixelOfRow(1), QColor(0, 0, 255));
        QCOMPARE(PixelOfRow(2), QColor(255, 0, 0));
        // A change of colours shows at the next paint.
        Current().Settings.SetColor(TListSettings::OddBack, 0x00FF00);
        QCOMPARE(PixelOfRow(2), QColor(0, 255, 0));
        window->SetRowSelected(2, true);
        QCOMPARE(PixelOfRow(2), window->lvMain->palette().color(QPalette::Active, QPalette::Highlight));
        window->lvMain->ResizeColumnToContents(1);
        QVERIFY(window->ColumnWidth(1) > QFontMetrics(window->lvMain->font()).horizontalAdvance("red shoes"));
        QVERIFY(window->ColumnWidth(1) < 150);
        window->SetListFont({"Tahoma", 14, StyleItalic, 0});
        QCOMPARE(window->lvMain->font().pointSize(), 14);
        QVERIFY(window->lvMain->font().italic());
        QVERIFY(window->lvMain->RowHeight() > QFontMetrics(window->lvMain->font()).height());
    }

    void aHugeEntryShowsOnlyItsStart() {
        // Found by importing a file of one 200 MB line: every paint converted and measured all of it.
        Fill({"short"});
        Current().AddKeyword(std::string(50 << 20, 'w'));
        controller->RefreshView(false, false);
        TODRow row;
        QVERIFY(window->lvMain->FetchRow(1, row));
        QCOMPARE(row.SubItem, QString(4096, 'w'));
        window->lvMain->viewport()->repaint();
    }

    void aLongEntryIsCutAtACharacterBoundary() {
        // One character of each UTF-8 length, repeated past the shown start at every offset against it.
        for (const char* unit : {"\xC3\xA9", "\xE4\xB8\xAD", "\xF0\x9F\x91\x9F", "\xD7\xA9"}) {
            for (int lead = 0; lead < 4; ++lead) {
                std::string text(static_cast<std::size_t>(lead), 'a');
                while (text.size() < 5000)
                    text += unit;
                Current().Clear();
                Current().AddKeyword(text);
                controller->RefreshView(false, false);
                TODRow row;
                QVERIFY(window->lvMain->FetchRow(0, row));
                const QString whole = QString::fromUtf8(text);
                QVERIFY2(whole.startsWith(row.SubItem), unit);
                QVERIFY(!row.SubItem.contains(QChar::ReplacementCharacter));
                QVERIFY(row.SubItem.toUtf8().size() > 4096 - 4 && row.SubItem.toUtf8().size() <= 4096);
            }
        }
    }

    void theStatusLineFollowsCommandsAndTheSelection() {
        const auto status = [this] {
            QCoreApplication::processEvents();
            return window->lblStatus->text();
        };
        QCOMPARE(status(), QString("0 entries, 0 highlighted"));
        Fill({"a", "b", "c", "d"});
        QCOMPARE(status(), QString("4 entries, 0 highlighted"));
        QTest::mouseClick(window->lvMain->viewport(), Qt::LeftButton, {}, RowPoint(1));
        QTest::mouseClick(window->lvMain->viewport(), Qt::LeftButton, Qt::ShiftModifier, RowPoint(2));
        QCOMPARE(status(), QString("4 entries, 2 highlighted"));
        TActionList::UpdateAll();
        controller->FindAction("aDeleteHighlighted")->trigger();
        QCOMPARE(status(), QString("2 entries, 0 highlighted"));
        controller->FindAction("aHighlightAll")->trigger();
        QCOMPARE(status(), QString("2 entries, 2 highlighted"));
        controller->FindAction("aDeleteHighlighted")->trigger();
        Fill({"x"});
        QCOMPARE(status(), QString("1 entry, 0 highlighted"));
    }

    void theListGrowsWithTheWindowAndTheKeywordsColumnFillsIt() {
        const auto fills = [this] {
            const QHeaderView& header = window->lvMain->Header();
            return header.sectionSize(0) + header.sectionSize(1) == window->lvMain->viewport()->width();
        };
        Fill({"a", "b"});
        for (QSize size : {QSize(792, 562), QSize(1392, 866), QSize(900, 600), QSize(792, 562)}) {
            window->resize(size);
            QVERIFY(fills());
            // The status line lies clear of every other control and inside the window.
            const QRect status = window->lblStatus->geometry();
            QVERIFY(window->rect().contains(status));
            for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child != window->lblStatus && child->isVisible())
                    QVERIFY2(!child->geometry().intersects(status), qPrintable(child->objectName()));
        }
        // A width the list asks for beyond the view is kept; the view scrolls to it.
        window->SetColumnWidth(1, 2000);
        QCOMPARE(window->lvMain->Header().sectionSize(1), 2000);
        QVERIFY(window->lvMain->horizontalScrollBar()->maximum() > 0);
        window->SetColumnWidth(1, 50);
        QVERIFY(fills());
        QCOMPARE(window->ColumnWidth(1), 50);
    }

    void everyScriptShowsFromTheColumnsLeftEdgeInAnEnlargedWindow() {
        const std::vector<std::string> texts = {
            "cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
            "e \xC5\xBC\xC3\xB3\xC5\x82w", // crème brûlée żółw
            "\xD0\xBA\xD1\x80\xD0\xB0\xD1\x81\xD0\xBD\xD1\x8B\xD0\xB5 "
            "\xD1\x82\xD1\x83\xD1\x84\xD0\xBB\xD0\xB8", // красные туфли
            "\xCE\xBA\xCF\x8C\xCE\xBA\xCE\xBA\xCE\xB9\xCE\xBD\xCE\xB1 "
            "\xCF\x80\xCE\xB1\xCF\x80\xCE\xBF\xCF\x8D\xCF\x84\xCF\x83\xCE\xB9\xCE\xB1", // κόκκινα παπούτσια
            "\xD7\xA0\xD7\xA2\xD7\x9C\xD7\x99\xD7\x99\xD7\x9D "
            "\xD7\x90\xD7\x93\xD7\x95\xD7\x9E\xD7\x95\xD7\xAA",          // נעליים אדומות
            "\xD7\xA0\xD7\xA2\xD7\x9C\xD7\x99\xD7\x99\xD7\x9D 42 shoes", // נעליים 42 shoes
        };
        for (const std::string& text : texts)
            Current().AddKeyword(text);
        controller->RefreshView(false, false);
        window->SetBounds({0, 0, 1400, 900});
        QCoreApplication::processEvents();
        QVERIFY(window->lvMain->width() > 1000);
        const QImage image = window->lvMain->viewport()->grab().toImage();
        const QHeaderView& header = window->lvMain->Header();
        const int left = header.sectionViewportPosition(1);
        for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
            TODRow data;
            QVERIFY(window->lvMain->FetchRow(row, data));
            QCOMPARE(data.SubItem, QString::fromUtf8(texts[static_cast<std::size_t>(row)]));
            const QRect band = window->lvMain->RowRect(row);
            int firstInk = -1, lastInk = -1;
            for (int x = left; x < left + header.sectionSize(1); ++x)
                for (int y = band.top(); y <= band.bottom(); ++y)
                    if (qGray(image.pixel(x, y)) < 128) {
                        firstInk = firstInk < 0 ? x : firstInk;
                        lastInk = x;
                    }
            // Right-to-left rows read from the right but sit at the left edge like the others.
            QVERIFY2(firstInk >= left && firstInk < left + 12, qPrintable(data.SubItem));
            QVERIFY(lastInk - firstInk > 40);
        }
        const QString folder = qEnvironmentVariable("PT_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            window->move(0, 0);
            QTest::qWait(300);
            QCOMPARE(
                QProcess::execute("import", {"-window", "root", QDir(folder).filePath("view-unicode.png")}),
                0);
        }
    }

    void aRowThatCannotBeFetchedResetsTheViewWithoutABox() {
        Fill({"a", "b", "c"});
        window->SetRowCount(10);
        window->lvMain->viewport()->grab();
        QTRY_COMPARE(window->RowCount(), 3);
        QVERIFY(boxes->shown.empty());
        QVERIFY(TrailEmpty());
    }

    void headerClicksSortAndToggle() {
        Fill({"b c d", "a", "c d"});
        ClickHeader(1);
        QCOMPARE(Texts(Current()), (Strings{"a", "b c d", "c d"}));
        ClickHeader(1);
        QCOMPARE(Texts(Current()), (Strings{"c d", "b c d", "a"}));
        window->SetRowSelected(0, true);
        ClickHeader(0);
        QCOMPARE(Texts(Current()), (Strings{"a", "c d", "b c d"}));
        QCOMPARE(window->SelectedCount(), 0);
        ClickHeader(0);
        QCOMPARE(Texts(Current()), (Strings{"b c d", "c d", "a"}));
    }

    void tabsKeepColumnWidthsAndDropTheSelection() {
        Fill({"a", "b"});
        window->SetRowSelected(1, true);
        window->SetColumnWidth(1, 400);
        const std::vector<TButtonEx*>& tabs = window->ListTabs();
        QTest::mouseClick(tabs[1], Qt::LeftButton, {}, QPoint(30, 10));
        QCOMPARE(lists->CurrentList(), &lists->GetList(1));
        QCOMPARE(window->ColumnWidth(1), 273);
        QCOMPARE(window->RowCount(), 0);
        QVERIFY(tabs[1]->Down());
        QVERIFY(!tabs[0]->Down());
        QTest::mouseClick(tabs[0], Qt::LeftButton, {}, QPoint(30, 10));
        QCOMPARE(window->ColumnWidth(1), 400);
        QCOMPARE(window->RowCount(), 2);
        QCOMPARE(window->SelectedCount(), 0);
        // The pressed tab lies over the frame's top line, the others under it.
        const QImage image = window->grab().toImage();
        QVERIFY(image.pixelColor(60, 261) != QColor(145, 155, 157));
        QCOMPARE(image.pixelColor(160, 261), QColor(145, 155, 157));
    }

    void theWindowMakesOneTabPerListInARow() {
        controller->AddListTab(false);
        const std::vector<TButtonEx*>& tabs = window->ListTabs();
        QCOMPARE(tabs.size(), std::size_t{7});
        for (int i = 0; i < 7; ++i) {
            const TButtonEx* tab = tabs[static_cast<std::size_t>(i)];
            QCOMPARE(tab->Caption(), QString("List-") + QChar('A' + i));
            QCOMPARE(tab->pos(), QPoint(25 + 103 * i, 240));
            QCOMPARE(tab->Down(), i == 0);
        }
    }

    void mouseAndKeyboardSelectRowsInTheByteArray() {
        Fill({"a", "b", "c", "d", "e"});
        QWidget* viewport = window->lvMain->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, RowPoint(1));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, RowPoint(3));
        QCOMPARE(window->SelectedRows(), (std::vector<int>{1, 2, 3}));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, RowPoint(2));
        QCOMPARE(window->SelectedRows(), (std::vector<int>{1, 3}));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, RowPoint(0));
        QCOMPARE(window->SelectedRows(), std::vector<int>{0});
        window->lvMain->setFocus();
        QTest::keyClick(window->lvMain, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(window->SelectedCount(), 5);
        QTest::keyClick(window->lvMain, Qt::Key_Home);
        QCOMPARE(window->SelectedRows(), std::vector<int>{0});
        window->InvertSelection();
        QCOMPARE(window->SelectedRows(), (std::vector<int>{1, 2, 3, 4}));
        TIntList only;
        only.Add(4);
        only.Add(2);
        window->SelectOnly(only);
        QCOMPARE(window->SelectedRows(), (std::vector<int>{2, 4}));
        // Shrinking keeps the selection of the rows that remain; emptying drops it.
        window->SetRowCount(3);
        QCOMPARE(window->SelectedRows(), std::vector<int>{2});
        window->SetRowCount(0);
        window->SetRowCount(3);
        QCOMPARE(window->SelectedCount(), 0);
    }

    void aChangeOfRowCountKeepsTheScrollPositionAndTheCurrentRow() {
        for (int i = 0; i < 200; ++i)
            Current().AddKeyword("entry " + std::to_string(i));
        controller->RefreshView(false, false);
        window->lvMain->SetCurrentRow(120);
        window->SetRowSelected(120, true);
        window->lvMain->ScrollToRow(120, true);
        const int top = window->lvMain->verticalScrollBar()->value();
        QVERIFY(top > 0);
        Current().AddKeyword("one more");
        controller->RefreshView(false, false);
        QCOMPARE(window->RowCount(), 201);
        QCOMPARE(window->lvMain->verticalScrollBar()->value(), top);
        QCOMPARE(window->lvMain->CurrentRow(), 120);
        QCOMPARE(window->SelectedRows(), std::vector<int>{120});
    }

    void paintingFetchesOnlyTheVisibleRows() {
        for (int i = 0; i < 100000; ++i)
            Current().AddKeyword("entry");
        controller->RefreshView(false, false);
        QCoreApplication::processEvents();
        window->lvMain->ScrollToRow(50000, true);
        QCOMPARE(window->lvMain->RowAt(0), 50000);
        std::vector<int> fetched;
        auto fetch = window->lvMain->OnData;
        window->lvMain->OnData = [&](int row, TODRow& data) {
            fetched.push_back(row);
            fetch(row, data);
        };
        window->lvMain->viewport()->repaint();
        QVERIFY(!fetched.empty());
        const int visible = window->lvMain->viewport()->height() / window->lvMain->RowHeight() + 1;
        QVERIFY(*std::min_element(fetched.begin(), fetched.end()) >= 50000);
        QVERIFY(*std::max_element(fetched.begin(), fetched.end()) <= 50000 + visible);
    }

    // While a filter is on, the status line says that commands read the whole list, and they do; after a
    // command the filter runs again on the changed list.
    void commandsWhileFilteredActOnTheWholeList() {
        const auto settle = [this] {
            while (window->Filter().Searching())
                QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        };
        Fill({"red shoes", "blue hat", "Red hat", "green shoes"});
        QTest::mouseClick(window->lvMain->viewport(), Qt::LeftButton, {}, RowPoint(3));
        QTest::keyClicks(window->edtFilter, "RED");
        settle();
        QCOMPARE(window->lvMain->ShownCount(), 2);
        QVERIFY(window->lblStatus->text().startsWith("4 entries, 1 highlighted"));
        QVERIFY(window->lblStatus->text().endsWith("Filter: 2 of 4 shown, commands act on the whole list"));
        QTest::mouseClick(window->lvMain->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(0));
        QCOMPARE(window->SelectedRows(), (std::vector<int>{0, 3}));
        TActionList::UpdateAll();
        controller->FindAction("aDeleteHighlighted")->trigger();
        settle();
        QCOMPARE(Texts(Current()), (Strings{"blue hat", "Red hat"}));
        QCOMPARE(window->lvMain->ShownCount(), 1);
        QCOMPARE(window->lvMain->ListRow(0), 1);
        controller->FindAction("aHighlightAll")->trigger();
        QCOMPARE(window->SelectedCount(), 2);
        window->edtFilter->clear();
        settle();
        QVERIFY(!window->lvMain->Filtered());
        QCOMPARE(window->lblStatus->text(), QString("2 entries, 2 highlighted"));
    }

    void ctrlARunsAllEntriesFromTheListView() {
        Fill({"a", "b", "c"});
        TActionList::UpdateAll();
        window->activateWindow();
        window->lvMain->setFocus();
        QTest::keyClick(window->lvMain, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(window->SelectedCount(), 3);
    }

    // The keys step through the history from the list view, and the rows and status line follow.
    void undoAndRedoKeysStepFromTheListView() {
        Fill({"Red", "Blue", "Hat"});
        window->SetRowSelected(1, true);
        controller->FindAction("aDeleteHighlighted")->trigger();
        TActionList::UpdateAll();
        window->activateWindow();
        // Shortcuts reach only the active window, which a real display makes it a moment later.
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->lvMain->setFocus();
        QTest::keyClick(window->lvMain, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Current().Count(), 3);
        QCOMPARE(window->SelectedRows(), std::vector<int>{1});
        QTRY_COMPARE(window->lblStatus->text(), QString("3 entries, 1 highlighted"));
        TActionList::UpdateAll();
        QTest::keyClick(window->lvMain, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Current().Count(), 2);
        QCOMPARE(window->RowCount(), 2);
        QTRY_COMPARE(window->lblStatus->text(), QString("2 entries, 0 highlighted"));
        TActionList::UpdateAll();
        QTest::keyClick(window->lvMain, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Current().Count(), 2);
        QTest::keyClick(window->lvMain, Qt::Key_Z, Qt::ControlModifier);
        TActionList::UpdateAll();
        QTest::keyClick(window->lvMain, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Current().Count(), 2);
    }

    // Files dropped on the window are read into the current list in their order, as one step to undo;
    // what is not a file is refused.
    void droppedFilesAreImportedOneAfterTheOther() {
        Fill({"first"});
        QTemporaryDir folder;
        const QString a = folder.filePath("a.txt");
        const QString b = folder.filePath("b.txt");
        std::ofstream(a.toStdString(), std::ios::binary) << "red\r\nblue\r\n";
        std::ofstream(b.toStdString(), std::ios::binary) << "caf\xC3\xA9\n";
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
        const QPointF at = window->lvMain->geometry().center();
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(Texts(Current()), (Strings{"first", "red", "blue", "caf\xC3\xA9"}));
        QCOMPARE(window->RowCount(), 4);
        TAction* undo = controller->FindAction("aEditUndo");
        undo->Update();
        QCOMPARE(undo->text(), QString("Undo Import"));
        undo->trigger();
        QCOMPARE(Texts(Current()), Strings{"first"});
        controller->FindAction("aEditRedo")->trigger();
        QCOMPARE(Texts(Current()), (Strings{"first", "red", "blue", "caf\xC3\xA9"}));

        QMimeData text;
        text.setText("red");
        QDragEnterEvent refused(at.toPoint(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &refused);
        QVERIFY(!refused.isAccepted());
    }

    // Delete and Ctrl+C in the list act on the highlighted rows as their commands do, and not at all when
    // nothing is highlighted.
    void deleteAndCopyKeysActOnTheHighlightedRows() {
        Fill({"red", "blue", "hat"});
        window->activateWindow();
        window->lvMain->setFocus();
        window->SetRowSelected(0, true);
        window->SetRowSelected(2, true);
        QTest::keyClick(window->lvMain, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard.text, std::string("red\r\nhat\r\n"));
        QTest::keyClick(window->lvMain, Qt::Key_Delete);
        QCOMPARE(Texts(Current()), Strings{"blue"});
        QCOMPARE(window->RowCount(), 1);
        const std::size_t messages = boxes->shown.size();
        clipboard.text.clear();
        QTest::keyClick(window->lvMain, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(window->lvMain, Qt::Key_Delete);
        QCOMPARE(clipboard.text, std::string());
        QCOMPARE(Texts(Current()), Strings{"blue"});
        QCOMPARE(boxes->shown.size(), messages);
    }

    void theLogoOpensTheHomePage() {
        TUrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "Open");
        QTest::mouseClick(window->Image3, Qt::LeftButton, {}, QPoint(20, 10));
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(catcher.opened, QStringList{HomePageAddress});
    }

    void trayHidesTheWindowAndShowsTheIcon() {
        TTrayBehaviour& tray = window->Tray();
        tray.TrayAvailable = [] { return true; };
        QCOMPARE(tray.TrayIcon1().ShownTip(), QString("Pellox Termwright V 1.0"));
        QVERIFY(!tray.TrayIcon1().IconVisible());
        QCOMPARE(tray.mnuTray().defaultAction(), &tray.mnuRestoreWindow());
        QTest::mouseClick(window->btnTray, Qt::LeftButton, {}, QPoint(40, 14));
        QVERIFY(tray.InTray());
        QVERIFY(tray.TrayIcon1().IconVisible());
        QVERIFY(!window->isVisible());
        tray.TrayIcon1().HandleMouse(TTrayMouse::LeftDoubleClick);
        QVERIFY(window->isVisible());
        QVERIFY(!tray.TrayIcon1().IconVisible());
        tray.SendToTray();
        tray.mnuRestoreWindow().trigger();
        QVERIFY(window->isVisible() && !tray.InTray());
        QVERIFY(boxes->shown.empty());
        tray.SendToTray();
        tray.mnuExit().trigger();
        QVERIFY(!window->isVisible());
        QVERIFY(!tray.TrayIcon1().IconVisible() || !window->isVisible());
    }

    // Chosen from once with the other filter, a kept dialog shows again with the first filter, no name and no
    // file picked.
    void aFileDialogKeptForTheNextTimeStartsAsANewOne() {
        QTemporaryDir folder;
        const QString existing = folder.filePath("first.txt");
        std::ofstream(existing.toStdString()) << "x";
        for (const bool save : {true, false}) {
            const QString file = save ? folder.filePath("new.txt") : existing;
            QString nameShown, filterShown;
            bool picked = true;
            int runs = 0;
            SetModalShownHook([&](QDialog& dialog) {
                auto* files = qobject_cast<QFileDialog*>(&dialog);
                QVERIFY(files);
                if (runs++ == 0) {
                    files->selectNameFilter("All Files (*)");
                    files->selectFile(file);
                    dialog.accept();
                    return;
                }
                nameShown = files->findChild<QLineEdit*>("fileNameEdit")->text();
                filterShown = files->selectedNameFilter();
                picked = files->findChild<QTreeView*>("treeView")->selectionModel()->hasSelection();
                dialog.reject();
            });
            const auto choose = [&] {
                const std::string path = folder.path().toStdString();
                return save ? window->ChooseSaveFile(path) : window->ChooseOpenFile(path);
            };
            const auto chosen = choose();
            const auto again = choose();
            SetModalShownHook(nullptr);
            QCOMPARE(chosen.value_or(""), file.toStdString());
            QVERIFY(!again);
            QCOMPARE(nameShown, QString());
            QCOMPARE(filterShown, QString("Text Files (*.txt)"));
            QVERIFY(!picked);
        }
    }

    void withoutANotificationAreaTrayMinimisesAndSaysWhyOnce() {
        TTrayBehaviour& tray = window->Tray();
        tray.TrayAvailable = [] { return false; };
        tray.SendToTray();
        QVERIFY(window->isMinimized());
        QVERIFY(!tray.TrayIcon1().IconVisible());
        QCOMPARE(boxes->shown.size(), std::size_t{1});
        QCOMPARE(boxes->shown[0].Text, std::string(TTrayBehaviour::NoTrayMessage));
        QCOMPARE(boxes->shown[0].Caption, std::string("Pellox Termwright V 1.1.0"));
        window->showNormal();
        tray.SendToTray();
        QCOMPARE(boxes->shown.size(), std::size_t{1});
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowTest.moc"
