#pragma once

#include <QDialog>

#include <cstdint>

class QTextBrowser;

namespace ondrix {

/// The help window "second": one topic per message of the program, found by the message's string id
/// (the help context of every message box), and a contents page listing them. A topic shows its message
/// with readable stand-ins in the placeholders.
class CHelpWindow final : public QDialog {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    /// Shows the topic of a string id; 0 (or an id without a topic) shows the contents.
    void ShowTopic(uint32_t id);
    /// The topic shown, 0 for the contents.
    uint32_t CurrentTopic() const noexcept { return m_topic; }
    /// Whether a string id has a help topic.
    static bool HasTopic(uint32_t id);
    /// The page of a topic as HTML.
    static QString TopicHtml(uint32_t id);
    /// The contents page as HTML.
    static QString ContentsHtml();
    /// The browser showing the pages (for tests).
    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
    uint32_t m_topic = 0;
};

} // namespace ondrix
