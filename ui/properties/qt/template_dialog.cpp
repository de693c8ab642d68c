#include "ui/properties/qt/template_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/fields/qt/field_helpers.h"
#include "ui/fields/qt/qt_text.h"

namespace orb {

// ---- chooser ----

TemplateChooser::TemplateChooser(QWidget* parent) : QFileDialog(parent) {
    setOption(QFileDialog::DontUseNativeDialog, true);
    setWindowFlags(Qt::Widget);
    setSizeGripEnabled(false);
    setFileMode(QFileDialog::AnyFile);                  // the dialog itself says when a file is missing
    setOption(QFileDialog::DontConfirmOverwrite, true); // asked after ".orb" is added
    setNameFilters({Q(kTemplateTypeName), Q(kAllFilesTypeName)});
    selectNameFilter(Q(kTemplateTypeName));
    if (QLineEdit* box = FileNameBox()) SelectAllOnFocus(box);
}

QLineEdit* TemplateChooser::FileNameBox() const {
    return findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

// The name box holds the chosen file's name (or a typed name or path, "~" for the home folder),
// taken relative to the folder shown.
QString TemplateChooser::ChosenPath() const {
    const QLineEdit* box = FileNameBox();
    QString name = box ? box->text() : QString();
    if (name.trimmed().isEmpty()) return {};
    if (name == QStringLiteral("~") || name.startsWith(QStringLiteral("~/")))
        name = QDir::homePath() + name.mid(1);
    return QDir::cleanPath(directory().absoluteFilePath(name));
}

void TemplateChooser::accept() {
    const QString path = ChosenPath();
    if (!path.isEmpty() && QFileInfo(path).isDir()) { // a folder typed or chosen: go there
        setDirectory(path);
        if (QLineEdit* box = FileNameBox()) box->clear();
        return;
    }
    emit chosen(path);
}

void TemplateChooser::reject() {
    emit cancelled();
}

// ---- progress ----

TemplateProgress::TemplateProgress(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TemplateProgress::Progress(int step, int total) {
    step_ = step;
    total_ = total;
    repaint();
}

QSize TemplateProgress::sizeHint() const {
    return {200, fontMetrics().height()};
}

void TemplateProgress::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.fillRect(QRect(0, 0, ProgressFillWidth(step_, total_, width()), height()), QColor(0, 255, 255));
    p.setPen(palette().mid().color());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- dialog ----

TemplateDialog::TemplateDialog(TemplateMode mode, TemplateState& state, TemplateTarget target,
                               Messages& messages, QWidget* parent)
    : QDialog(parent), mode_(mode), state_(state), target_(target), messages_(messages) {
    const TemplateDialogTexts texts = TextsFor(mode);
    setWindowTitle(Q(texts.caption));
    setModal(true);
    chooser_ = new TemplateChooser(this);
    chooser_->setAcceptMode(mode == TemplateMode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    const QFileInfo current(Q(state.currentTemplateFile));
    QString folder = Q(state.lastTemplateFolder);
    if (folder.isEmpty())
        folder = state.currentTemplateFile.empty() ? QDir::homePath() : current.absolutePath();
    chooser_->setDirectory(folder);
    if (mode == TemplateMode::SaveAs && !state.currentTemplateFile.empty())
        chooser_->selectFile(current.fileName());
    connect(chooser_, &TemplateChooser::chosen, this, &TemplateDialog::Choose);
    connect(chooser_, &TemplateChooser::cancelled, this, &QDialog::reject);

    lblStatus_ = new QLabel(Q(texts.status), this);
    picStatus_ = new TemplateProgress(this);
    auto* status = new QHBoxLayout;
    status->addWidget(lblStatus_);
    status->addWidget(picStatus_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chooser_, 1);
    layout->addLayout(status);
    resize(sizeHint().expandedTo(QSize(640, 420)));
    CentreOnScreen(this);
}

bool TemplateDialog::Choose(const QString& path) {
    return mode_ == TemplateMode::Open ? Open(path) : Save(path);
}

void TemplateDialog::Refuse(std::string_view message) {
    messages_.Warn(std::string(message));
    if (QLineEdit* box = chooser_->FileNameBox()) box->setFocus(Qt::OtherFocusReason);
}

bool TemplateDialog::Save(const QString& chosen) {
    if (chosen.trimmed().isEmpty()) {
        Refuse(kNeedFileName);
        return false;
    }
    const std::string path = TemplateSavePath(Std(chosen));
    const QFileInfo target(Q(path));
    if (target.exists() && !target.isDir()) { // a folder in the way fails below
        // Built by appends: a literal + string here trips a false -Wrestrict in GCC 12 at -O3.
        std::string question = "\"";
        question += Std(target.fileName());
        question += "\" already exists.\nDo you want to replace it?";
        if (messages_.Show(MessageIcon::Question, MessageButtons::YesNoCancel, question) !=
            MessageAnswer::Yes)
            return false;
    }
    picStatus_->Progress(0, kTemplateProgressSteps);
    const TemplateOutcome out = SaveTemplateAt(state_, path, target_, picStatus_);
    if (!out.done) {
        Refuse(out.message);
        return false;
    }
    accept();
    return true;
}

bool TemplateDialog::Open(const QString& chosen) {
    picStatus_->Progress(0, kTemplateProgressSteps);
    const TemplateOutcome out = OpenTemplateAt(state_, Std(chosen), target_, picStatus_);
    if (!out.done) {
        Refuse(out.message);
        return false;
    }
    emit templateOpened();
    accept();
    return true;
}

void TemplateDialog::done(int result) {
    state_.lastTemplateFolder = Std(chooser_->directory().absolutePath());
    state_.lastTemplateDrive = "/"; // one file system root
    QDialog::done(result);
}

// ---- File menu ----

TemplateMenu::TemplateMenu(QWidget* window, TemplateState& state, TemplateTarget target, Messages& messages,
                           std::function<void()> opened)
    : window_(window), state_(state), target_(target), messages_(messages), opened_(std::move(opened)) {}

void TemplateMenu::Open() {
    Show(TemplateMode::Open);
}
void TemplateMenu::SaveAs() {
    Show(TemplateMode::SaveAs);
}

void TemplateMenu::Save() {
    if (state_.currentTemplateFile.empty()) {
        Show(TemplateMode::Save);
        return;
    }
    const std::string path = state_.currentTemplateFile;
    if (!SaveTemplateAt(state_, path, target_).done) messages_.Warn(SaveFailedMessage(path));
}

void TemplateMenu::Show(TemplateMode mode) {
    TemplateDialog dialog(mode, state_, target_, messages_, window_);
    QObject::connect(&dialog, &TemplateDialog::templateOpened, [this] {
        if (opened_) opened_();
    });
    if (beforeShow) beforeShow(dialog);
    dialog.exec();
}

} // namespace orb
