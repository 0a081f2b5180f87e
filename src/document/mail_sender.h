#pragma once

#include <QString>

namespace ondrix {

class COndrixDoc;

/// Sends a document as a mail attachment through the desktop's mail program (xdg-email).
class CMailSender {
public:
    /// Whether a mail program can be reached (xdg-email is installed).
    static bool IsAvailable();
    /// Writes the sound as a WAVE file named after the document into a folder for outgoing mail and
    /// hands it to the mail program; false when writing failed or the program could not start.
    static bool Send(COndrixDoc& doc);
    /// The folder the attachments are written to.
    static QString AttachmentFolder();
    /// A file name made from a title: characters that file systems refuse become "_"; ".wav" is added.
    static QString AttachmentName(const QString& title);
};

} // namespace ondrix
