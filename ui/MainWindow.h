#pragma once

#include "frame/WindowBounds.h"
#include "ui/ActionList.h"
#include "ui/Anchors.h"
#include "ui/ControlledForm.h"
#include "ui/MainView.h"
#include "ui/ODListView.h"

#include <QImage>
#include <QMap>

#include <memory>

class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class TBusinessLogicLayer;
class TButtonEx;
class TImageStrip;
class TListFilter;
class TProgressDialog;
class TTrayBehaviour;

// The main window: the banner, the command buttons in three steps with their drop-down menus, the list tabs,
// the virtual list view of the current list and a status line under it. It reports the user's actions to the
// controller and offers the controller its view operations.
class TfrmMain : public TMainViewForm, public IMainWindowBounds {
    Q_OBJECT
public:
    // Shows the current one of lists; its boxes are boxes.
    TfrmMain(const TBusinessLogicLayer& lists, IMessageBoxes& boxes);
    ~TfrmMain() override;

    // The window's client size as designed, and the border the outer size adds to it.
    static constexpr QSize DesignSize{792, 562};
    static constexpr QSize FrameSize{8, 34};

    TActionList& Commands() override { return commands_; }
    void ShowListTabs(const std::vector<std::string>& names, int current) override;
    void LoadButtonImages() override;
    void AttachMenus() override;

    void SetRowCount(int count) override;
    int RowCount() const override;
    void InvalidateRows() override;
    void ClearSelection() override;
    int SelectedCount() const override;
    std::vector<int> SelectedRows() const override;
    std::vector<TRowRun> SelectedRuns() const override;
    void SelectRuns(const std::vector<TRowRun>& runs) override;
    bool RowSelected(int row) const override;
    void SetRowSelected(int row, bool selected) override;
    void SelectAll() override;
    void InvertSelection() override;
    void SelectOnly(const TIntList& rows) override;
    int ColumnCount() const override;
    int ColumnWidth(int column) const override;
    void SetColumnWidth(int column, int width) override;
    void SetListFont(const TFontSpec& font) override;
    TMsgResult Ask(const std::string& text, TMsgButtons buttons, TMsgIcon icon) override;
    std::optional<std::string> ChooseSaveFile(const std::string& folder) override;
    std::optional<std::string> ChooseOpenFile(const std::string& folder) override;
    bool ShowProgress(const std::string& caption, double fraction, bool cancellable) override;
    void EndProgress() override;
    ICommandObserver* CommandObserver() override;

    // Outer bounds: the client area plus FrameSize, whatever the desktop's own border is, so that saved
    // bounds give the same window again.
    TWindowBounds Bounds() const override;
    void SetBounds(const TWindowBounds& bounds) override;

    // The drop-down menu of that name ("mnuDelete", ...); null when there is none.
    QMenu* Menu(const QString& name) const { return menus_.value(name); }
    TTrayBehaviour& Tray() const { return *tray_; }
    const std::vector<TButtonEx*>& ListTabs() const { return listTabs_; }

    QLabel* Image1 = nullptr;
    QLabel* Image3 = nullptr;
    TButtonEx* btnAdd = nullptr;
    TButtonEx* btnImport = nullptr;
    TButtonEx* btnDelete = nullptr;
    TButtonEx* btnClean = nullptr;
    TButtonEx* btnModify = nullptr;
    TButtonEx* btnMultiply = nullptr;
    TButtonEx* btnHighlight = nullptr;
    TButtonEx* btnExport = nullptr;
    // Commands that compare the current list with another, and checks of the list on its own.
    TButtonEx* btnLists = nullptr;
    TButtonEx* btnConfig = nullptr;
    TButtonEx* btnAbout = nullptr;
    // Undo and redo, under About.
    TButtonEx* btnEdit = nullptr;
    TButtonEx* btnTray = nullptr;
    TButtonEx* btnClose = nullptr;
    QFrame* Shape1 = nullptr;
    TODListView* lvMain = nullptr;
    // The current list's number of entries and of highlighted ones, and what the filter shows.
    QLabel* lblStatus = nullptr;
    // The live filter's text, right of the list tabs.
    QLineEdit* edtFilter = nullptr;
    TListFilter& Filter() const { return *filter_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Files dropped on the window are imported into the current list.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateCommands();
    void CreateControls();
    TButtonEx* NewButton(const char* name, TImageStrip* strip, int firstImage, const char* caption,
                         QRect place);
    TButtonEx* NewListTab(int index);
    IMainViewEvents& Listener() const;
    // Runs the named command as its menu would when it is enabled; the key that asked for it is used.
    bool RunCommand(const char* name);
    std::optional<std::string> ChooseFile(const std::string& folder, bool save);
    QFileDialog& FileDialog(bool save);

    void StatusChanged();
    void ShowStatus();
    void lvMainData(int row, TODRow& data) const;
    void lvMainCustomDrawItem(int row, TODRowColors& colors) const;

    const TBusinessLogicLayer& lists_;
    IMessageBoxes& boxes_;
    TActionList commands_;
    TImageStrip* ilButtons = nullptr;
    TImageStrip* ilButtons2 = nullptr;
    TImageStrip* ilTabs = nullptr;
    std::vector<TButtonEx*> listTabs_;
    TAnchors anchors_{DesignSize};
    QMap<QString, QMenu*> menus_;
    TTrayBehaviour* tray_ = nullptr;
    TListFilter* filter_ = nullptr;
    std::unique_ptr<TProgressDialog> progress_;
    // Owned by the window as its children.
    QFileDialog* openDialog_ = nullptr;
    QFileDialog* saveDialog_ = nullptr;
    // The banner's right edge, drawn stretched to the right of it when the window is wider than designed.
    QImage bannerEdge_;
    bool statusPending_ = false;
};
