#include "ui/help/qt/help_window.h"

#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/help/help_topics.h"

// The pages are compiled into the program's widget library; a static library needs its resources
// registered by hand.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace orb {

namespace {

const QString kRoot = QStringLiteral("qrc:/help/");

QString ReadResource(const QString& page) {
    QFile f(QStringLiteral(":/help/") + page);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QString PageTitle(const QString& html) {
    static const QRegularExpression h1(QStringLiteral("<h1[^>]*>(.*?)</h1>"),
                                       QRegularExpression::DotMatchesEverythingOption);
    const auto m = h1.match(html);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    InitHelpResources();
    setWindowTitle(QString::fromUtf8(kHelpWindowTitle));
    setAttribute(Qt::WA_DeleteOnClose, false);

    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QStringLiteral(":/help")});

    contents_ = new QListWidget(this);
    for (std::string_view page : HelpPages()) {
        const QString name = QString::fromUtf8(page.data(), static_cast<int>(page.size()));
        auto* item = new QListWidgetItem(PageTitle(ReadResource(name)), contents_);
        item->setData(Qt::UserRole, name);
    }
    connect(contents_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });
    connect(contents_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });

    auto* searchPane = new QWidget(this);
    searchBox_ = new QLineEdit(searchPane);
    searchBox_->setPlaceholderText(tr("Words to find"));
    searchBox_->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(tr("F&ind:"), searchPane);
    searchLabel->setBuddy(searchBox_);
    results_ = new QListWidget(searchPane);
    auto* searchLayout = new QVBoxLayout(searchPane);
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(searchLabel);
    findRow->addWidget(searchBox_, 1);
    searchLayout->addLayout(findRow);
    searchLayout->addWidget(results_, 1);
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        if (Search(searchBox_->text()) > 0) {
            results_->setCurrentRow(0);
            ShowPage(results_->item(0)->data(Qt::UserRole).toString());
        }
    });
    auto open = [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); };
    connect(results_, &QListWidget::itemActivated, this, open);
    connect(results_, &QListWidget::itemClicked, this, open);

    tabs_ = new QTabWidget(this);
    tabs_->addTab(contents_, tr("C&ontents"));
    tabs_->addTab(searchPane, tr("&Search"));
    // Choosing the search tab puts the cursor where the words go.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1) searchBox_->setFocus(Qt::OtherFocusReason);
    });

    back_ = new QPushButton(tr("&Back"), this);
    forward_ = new QPushButton(tr("&Forward"), this);
    auto* home = new QPushButton(tr("&Home"), this);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, &HelpWindow::ShowContents);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(home);
    buttons->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(buttons);
    outer->addWidget(splitter, 1);
    // A comfortable reading size that still fits a small screen.
    QSize size(880, 620);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
    splitter->setSizes({size.width() / 4, size.width() * 3 / 4});
}

QString HelpWindow::Current() const {
    const QUrl u = browser_->source();
    QString page = u.path().section(QLatin1Char('/'), -1);
    if (u.hasFragment()) page += QLatin1Char('#') + u.fragment();
    return page;
}

bool HelpWindow::ShowPage(const QString& pageAndAnchor) {
    const QString page = pageAndAnchor.section(QLatin1Char('#'), 0, 0);
    if (!QFile::exists(QStringLiteral(":/help/") + page)) return false;
    browser_->setSource(QUrl(kRoot + pageAndAnchor));
    Present();
    return true;
}

bool HelpWindow::ShowTopic(std::string_view key) {
    if (const auto url = HelpTopicUrl(key)) {
        if (ShowPage(QString::fromStdString(*url))) return true;
    }
    ShowContents();
    return false;
}

void HelpWindow::ShowContents() {
    tabs_->setCurrentIndex(0);
    ShowPage(QString::fromUtf8(kHelpIndexPage.data(), static_cast<int>(kHelpIndexPage.size())));
}

void HelpWindow::ShowSearch() {
    if (browser_->source().isEmpty()) ShowContents();
    tabs_->setCurrentIndex(1);
    Present();
    searchBox_->setFocus(Qt::OtherFocusReason);
    searchBox_->selectAll();
}

void HelpWindow::BuildIndex() {
    if (!sections_.empty()) return;
    for (std::string_view page : HelpPages()) {
        const QString name = QString::fromUtf8(page.data(), static_cast<int>(page.size()));
        const QByteArray html = ReadResource(name).toUtf8();
        auto s = SplitHelpPage(page, std::string_view(html.constData(), static_cast<size_t>(html.size())));
        sections_.insert(sections_.end(), std::make_move_iterator(s.begin()),
                         std::make_move_iterator(s.end()));
    }
}

int HelpWindow::Search(const QString& text) {
    BuildIndex();
    tabs_->setCurrentIndex(1);
    if (searchBox_->text() != text) searchBox_->setText(text);
    results_->clear();
    const QByteArray query = text.toUtf8();
    for (const HelpSection* s :
         SearchHelp(sections_, std::string_view(query.constData(), static_cast<size_t>(query.size())))) {
        QString target = QString::fromStdString(s->page);
        if (!s->anchor.empty()) target += QLatin1Char('#') + QString::fromStdString(s->anchor);
        auto* item =
            new QListWidgetItem(QString::fromStdString(s->title.empty() ? s->page : s->title), results_);
        item->setData(Qt::UserRole, target);
        item->setToolTip(target);
    }
    return results_->count();
}

void HelpWindow::Present() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

} // namespace orb
