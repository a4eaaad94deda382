#include "dialogs/WordFrequencyDialog.h"

#include "core/CheckpointTrail.h"
#include "dialogs/DialogControls.h"
#include "dialogs/WordFrequencyModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTableView>

#include <algorithm>

TfrmWordFrequency::TfrmWordFrequency() : TDialogForm("Word Frequency", QSize(440, 476)) {
    setObjectName("frmWordFrequency");
    AddBevel(this, "Bevel1", QRect(11, 12, 418, 44));
    AddFrameCaption(this, "Label1", " Count ", QRect(17, 7, 40, 13));
    rbWords = AddRadioButton(this, "rbWords", "Words", QRect(24, 28, 80, 17));
    rbTwoWords = AddRadioButton(this, "rbTwoWords", "Two-word phrases", QRect(124, 28, 130, 17));
    rbThreeWords = AddRadioButton(this, "rbThreeWords", "Three-word phrases", QRect(274, 28, 140, 17));
    rbWords->setChecked(true);
    const std::pair<QRadioButton*, int> runs[] = {{rbWords, 1}, {rbTwoWords, 2}, {rbThreeWords, 3}};
    for (const auto& run : runs) {
        const int words = run.second;
        connect(run.first, &QRadioButton::toggled, this, [this, words](bool on) {
            if (on)
                ShowRunsOf(words);
        });
    }

    AddLabel(this, "Label2", "Filter:", QRect(12, 70, 40, 13));
    edFilter = AddEdit(this, "edFilter", QRect(56, 66, 373, 21));
    edFilter->setClearButtonEnabled(true);

    Model = new TWordFrequencyModel(this);
    tvWords = new QTableView(this);
    tvWords->setObjectName("tvWords");
    tvWords->setGeometry(12, 95, 417, 310);
    tvWords->setModel(Model);
    tvWords->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvWords->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tvWords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvWords->setShowGrid(false);
    tvWords->setWordWrap(false);
    tvWords->setAlternatingRowColors(true);
    tvWords->verticalHeader()->hide();
    // Rows of one height let the view find any of a million rows without measuring them.
    tvWords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tvWords->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    tvWords->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tvWords->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    tvWords->horizontalHeader()->resizeSection(1, 90);
    tvWords->horizontalHeader()->setHighlightSections(false);
    tvWords->horizontalHeader()->setSortIndicator(TWordFrequencyModel::EntriesColumn, Qt::DescendingOrder);
    tvWords->setSortingEnabled(true);
    connect(tvWords->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmWordFrequency::PickedChanged);
    connect(Model, &QAbstractItemModel::modelReset, this, [this] {
        PickedChanged();
        ShowCount();
    });
    connect(edFilter, &QLineEdit::textChanged, this,
            [this](const QString& text) { Model->SetFilter(text.toStdString()); });

    lblShown = AddLabel(this, "lblShown", "", QRect(12, 410, 417, 13));

    btnHighlight_ = AddImageButton("btnHighlight", "Highlight Entries", QPoint(12, 436));
    btnSend_ = AddImageButton("btnSendToList", "Send To List...", QPoint(122, 436));
    auto* close = AddImageButton("btnClose", "Close", QPoint(327, 436));
    connect(btnHighlight_, &TButtonEx::clicked, this, [this] {
        sendToList_ = false;
        accept();
    });
    connect(btnSend_, &TButtonEx::clicked, this, [this] {
        sendToList_ = true;
        accept();
    });
    connect(close, &TButtonEx::clicked, this, &QDialog::reject);
    SetTabOrder({rbWords, rbTwoWords, rbThreeWords, edFilter, tvWords});
    PickedChanged();
}

bool TfrmWordFrequency::Execute(const TCountWordRuns& count, std::vector<std::string>& words,
                                bool& sendToList) {
    CheckpointScope checkpoint("d153");
    count_ = count;
    runLength_ = 0;
    edFilter->clear();
    CheckQuietly(1);
    bool confirmed = false;
    if (ShowRunsOf(1)) {
        edFilter->setFocus();
        confirmed = RunModally();
    }
    if (confirmed) {
        words = PickedTexts();
        sendToList = sendToList_;
    }
    // The list may change before the next run; the table must not outlive it.
    count_ = nullptr;
    Model->SetCounts({});
    return confirmed;
}

bool TfrmWordFrequency::ShowRunsOf(int words) {
    if (!count_ || words == runLength_)
        return runLength_ != 0;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<std::vector<TWordCount>> counts = count_(words);
    QApplication::restoreOverrideCursor();
    if (!counts) {
        CheckQuietly(runLength_);
        return runLength_ != 0;
    }
    runLength_ = words;
    Model->SetCounts(std::move(*counts));
    return true;
}

void TfrmWordFrequency::CheckQuietly(int words) {
    QRadioButton* const buttons[] = {rbWords, rbTwoWords, rbThreeWords};
    const QSignalBlocker quiet1(rbWords), quiet2(rbTwoWords), quiet3(rbThreeWords);
    buttons[std::clamp(words, 1, 3) - 1]->setChecked(true);
}

void TfrmWordFrequency::PickedChanged() {
    const bool any = tvWords->selectionModel()->hasSelection();
    btnHighlight_->setEnabled(any);
    btnSend_->setEnabled(any);
}

void TfrmWordFrequency::ShowCount() {
    const QLocale locale;
    const QString kind = runLength_ <= 1 ? "words" : "phrases";
    lblShown->setText(
        QString("%1 of %2 %3")
            .arg(locale.toString(Model->rowCount()), locale.toString(Model->CountTotal()), kind));
}

std::vector<std::string> TfrmWordFrequency::PickedTexts() const {
    std::vector<int> rows;
    for (const QModelIndex& index : tvWords->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<std::string> texts;
    texts.reserve(rows.size());
    for (int row : rows)
        texts.push_back(Model->TextAt(row));
    return texts;
}
