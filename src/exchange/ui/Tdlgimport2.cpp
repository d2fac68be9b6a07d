#include "exchange/ui/Tdlgimport2.h"

#include "base/Ui.h"
#include "exchange/ExportColumns.h"
#include "exchange/SplitFields.h"
#include "util/TextFiles.h"
#include "util/ui/WindowRoutines.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kNoFileFields = 11;      // the layout shown before a file is chosen
constexpr int kUnreadableFields = 6;   // the layout shown when the file cannot be read

QStringList numberedFields(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << "Field " + QString::number(i);
    return names;
}

}  // namespace

Tdlgimport2::Tdlgimport2(ImportMapping& mapping, Ui& ui, QWidget* parent) : QDialog(parent), mapping_(mapping), ui_(ui)
{
    setObjectName("Tdlgimport2");
    setWindowTitle("Importation Settings");
    auto* layout = new QVBoxLayout(this);

    auto* lists = new QGridLayout;
    lbxFileFields_ = named<QListWidget>("lbxFileFields");
    lbxExamples_ = named<QListWidget>("lbxExamples");
    lbxArrows_ = named<QListWidget>("lbxArrows");
    lbxFieldOrder_ = named<QListWidget>("lbxFieldOrder");
    const QStringList headings{"File Field", "Example", "", "Database Field"};
    const QList<QListWidget*> columns{lbxFileFields_, lbxExamples_, lbxArrows_, lbxFieldOrder_};
    for (int c = 0; c < columns.size(); ++c) {
        lists->addWidget(new QLabel(headings[c]), 0, c);
        lists->addWidget(columns[c], 1, c);
    }
    for (QListWidget* side : {lbxFileFields_, lbxExamples_, lbxArrows_})
        connect(side, &QListWidget::currentRowChanged, lbxFieldOrder_, [this](int row) { lbxFieldOrder_->setCurrentRow(row); });
    layout->addLayout(lists, 1);

    auto* moves = new QHBoxLayout;
    auto* btnMoveUp = new QPushButton("Move Up");
    btnMoveUp->setObjectName("btnMoveUp");
    auto* btnMoveDown = new QPushButton("Move Down");
    btnMoveDown->setObjectName("btnMoveDown");
    connect(btnMoveUp, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(btnMoveDown, &QPushButton::clicked, this, [this] { moveSelected(1); });
    moves->addStretch(1);
    moves->addWidget(btnMoveUp);
    moves->addWidget(btnMoveDown);
    layout->addLayout(moves);

    auto* separatorRow = new QHBoxLayout;
    edtSeparator_ = new QLineEdit(mapping_.separator);
    edtSeparator_->setObjectName("edtSeparator");
    edtSeparator_->setMaxLength(1);
    lblExample_ = new QLabel;
    lblExample_->setObjectName("lblExample");
    separatorRow->addWidget(new QLabel("Field Separator:"));
    separatorRow->addWidget(edtSeparator_);
    separatorRow->addWidget(lblExample_, 1);
    layout->addLayout(separatorRow);
    connect(edtSeparator_, &QLineEdit::textChanged, this, &Tdlgimport2::separatorChanged);
    separatorChanged(edtSeparator_->text());

    chkHeaderRow_ = new QCheckBox("File has a row of column headings");
    chkHeaderRow_->setObjectName("chkHeaderRow");
    chkHeaderRow_->setChecked(mapping_.headerRow);
    connect(chkHeaderRow_, &QCheckBox::toggled, this, [this](bool on) {
        mapping_.headerRow = on;
        discardExamples();
    });
    layout->addWidget(chkHeaderRow_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    // Its own name: the dialog sits inside the import dialog, whose OK is "btnOK".
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnMappingOK");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void Tdlgimport2::setFileName(const QString& path)
{
    fileName_ = path;
    headingUnchecked_ = true;
    discardExamples();
}

void Tdlgimport2::separatorChanged(const QString& text)
{
    mapping_.separator = text;
    lblExample_->setText("(e.g. someone@somewhere.com" + text + "My_Category)");
    discardExamples();
}

// The lists follow at once while they are shown, else on the next showing.
void Tdlgimport2::discardExamples()
{
    examplesPresent_ = false;
    if (isVisible())
        loadFields();
}

void Tdlgimport2::showEvent(QShowEvent* event)
{
    if (!examplesPresent_)
        loadFields();
    QDialog::showEvent(event);
}

void Tdlgimport2::loadFields()
{
    examplesPresent_ = true;
    if (fileName_.isEmpty()) {
        ui_.inform("Please select your input file before performing your field mapping");
        showLayout(numberedFields(kNoFileFields), {});
        return;
    }
    const auto lines = readTextLines(fileName_);
    if (!lines) {
        showLayout(numberedFields(kUnreadableFields), {});
        return;
    }
    // Only a new file's heading is looked at, so a person who unticks the box keeps it unticked.
    if (headingUnchecked_ && looksLikeHeaderRow(*lines)) {
        const QSignalBlocker quiet(chkHeaderRow_);
        mapping_.headerRow = true;
        chkHeaderRow_->setChecked(true);
    }
    headingUnchecked_ = false;
    const auto fields = [&](int row) {
        return row < lines->size() ? SplitFields(lines->at(row), mapping_.separator, true, true) : QStringList();
    };
    QStringList examples = fields(mapping_.headerRow ? 1 : 0);
    examples = examples.mid(0, kMaxImportFields);
    QStringList names = mapping_.headerRow ? fields(0) : numberedFields(int(examples.size()));
    showLayout(names, examples);
}

void Tdlgimport2::showLayout(const QStringList& fileFields, const QStringList& examples)
{
    fieldCount_ = examples.isEmpty() ? int(fileFields.size()) : int(examples.size());
    mapping_.fieldOrder = ImportMapping::initialFieldOrder();
    while (mapping_.fieldOrder.size() < fieldCount_)
        mapping_.fieldOrder << kIgnoreField;
    lbxFileFields_->clear();
    lbxExamples_->clear();
    lbxArrows_->clear();
    for (int i = 0; i < fieldCount_; ++i) {
        lbxFileFields_->addItem(fileFields.value(i));
        lbxExamples_->addItem(examples.value(i));
        lbxArrows_->addItem("-->");
    }
    showFieldOrder();
}

void Tdlgimport2::showFieldOrder()
{
    lbxFieldOrder_->clear();
    for (int i = 0; i < mapping_.fieldOrder.size(); ++i) {
        const QString& name = mapping_.fieldOrder[i];
        auto* item = new QListWidgetItem(name, lbxFieldOrder_);
        if (i >= fieldCount_) {
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            if (name != kIgnoreField)
                item->setText(name + " (no field)");
        }
    }
}

bool Tdlgimport2::movefield(int from, int to)
{
    const int count = int(mapping_.fieldOrder.size());
    if (from < 0 || from >= count || to < 0 || to >= count)
        return false;
    mapping_.fieldOrder.move(from, to);
    showFieldOrder();
    lbxFieldOrder_->setCurrentRow(to);
    return true;
}

void Tdlgimport2::moveSelected(int step)
{
    const int row = lbxFieldOrder_->currentRow();
    if (row < 0) {
        ui_.warn("You have not selected a field to move!");
        return;
    }
    const int to = row + step;
    if (to < 0 || to >= lbxFieldOrder_->count()) {
        QApplication::beep();
        return;
    }
    if (!movefield(row, to))
        ui_.warn("Error moving page!");
}

void Tdlgimport2::done(int result)
{
    const int email = int(mapping_.fieldOrder.indexOf(exportHeading(ExportColumn::Email)));
    if (email < 0 || email >= fieldCount_) {
        ui_.warn("You have not mapped your e-mail field.  This field is required!");
        return;
    }
    QDialog::done(result);
}
