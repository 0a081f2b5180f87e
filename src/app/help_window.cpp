#include "app/help_window.h"

#include "app/core/help_stand_ins.h"
#include "app/qt_message_service.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "resources/string_table_data.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <map>

namespace ondrix {

namespace {

/// Advice added to the topics of some messages: message id -> advice string id.
const std::map<uint32_t, uint32_t>& Advice() {
    static const std::map<uint32_t, uint32_t> advice = {
        {31500, 32765},
        {31501, 32766},
        {31502, 32766},
        {31901, 32767},
        {1085, 32768},
        {32710, 32769},
        {str::kRecoverTakeText, str::kRecoverAdvice},
        {str::kRecoverChangesText, str::kRecoverAdvice},
    };
    return advice;
}

bool IsMenuOrPrompt(uint32_t id) {
    return (id >= 32500 && id <= 32699) || (id >= 32777 && id <= 32999) ||
           id == str::kRedoTheLastUndoneChange || id == str::kMenuRedo || id >= 57000;
}

QString Paragraphs(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

} // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("second"));
    setWindowTitle(
        LoadQString(str::kHelpWindowTitle).replace(QStringLiteral("%s"), LoadQString(str::kProductName)));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& url) { ShowTopic(url.path().toUInt()); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(520, 400);
}

bool CHelpWindow::HasTopic(uint32_t id) {
    return id != 0 && HasString(id) && !IsMenuOrPrompt(id);
}

QString CHelpWindow::TopicHtml(uint32_t id) {
    QString html = QStringLiteral("<h3>%1</h3><p>%2</p>")
                       .arg(LoadQString(str::kTopicHeading).arg(id),
                            Paragraphs(QString::fromStdString(MessageWithStandIns(id))));
    const auto advice = Advice().find(id);
    html +=
        QStringLiteral("<p>%1</p>")
            .arg(Paragraphs(LoadQString(advice != Advice().end() ? advice->second : str::kGenericAdvice)));
    html += QStringLiteral("<p><a href=\"topic:0\">%1</a></p>")
                .arg(LoadQString(str::kContentsHeading).toHtmlEscaped());
    return html;
}

QString CHelpWindow::ContentsHtml() {
    QString html = QStringLiteral("<h3>%1</h3><p>%2</p><ul>")
                       .arg(LoadQString(str::kContentsHeading).toHtmlEscaped(),
                            Paragraphs(LoadQString(str::kContentsIntro)));
    std::map<uint32_t, QString> topics;
    for (std::size_t i = 0; i < kStringEntryCount; ++i) {
        if (HasTopic(kStringEntries[i].id)) {
            const uint32_t id = kStringEntries[i].id;
            topics.emplace(id,
                           QString::fromStdString(MessageWithStandIns(id)).section(QLatin1Char('\n'), 0, 0));
        }
    }
    for (const auto& [id, text] : topics) {
        html += QStringLiteral("<li><a href=\"topic:%1\">%1</a> %2</li>").arg(id).arg(text.toHtmlEscaped());
    }
    return html + QStringLiteral("</ul>");
}

void CHelpWindow::ShowTopic(uint32_t id) {
    m_topic = HasTopic(id) ? id : 0;
    m_browser->setHtml(m_topic != 0 ? TopicHtml(m_topic) : ContentsHtml());
    show();
    raise();
    activateWindow();
}

} // namespace ondrix
