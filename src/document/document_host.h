#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace ondrix {

class CClipboard;
class COndrixDoc;
class CSampleStore;
class IEngineListener;

/// What a document needs from the main frame and the application: the status bar fields, the state
/// of the clipboard and the receiver of its engine's messages.
class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    /// Whether status fields can be written: a status bar exists and no progress display runs.
    virtual bool IsStatusAvailable() const = 0;
    /// Writes one status field (1 to 7).
    virtual void SetStatusText(int field, const std::string& text) = 0;
    /// Whether the clipboard in use holds data.
    virtual bool ClipboardHasData() const = 0;
    /// The receiver of the playback and recording messages.
    virtual IEngineListener* GetEngineListener() = 0;
    /// The program's clipboard; null where there is none.
    virtual CClipboard* GetClipboard() { return nullptr; }
    /// Makes a document the one whose recording the stop message is handed to (null: none).
    virtual void SetRecordingDocument(COndrixDoc* doc) { static_cast<void>(doc); }
    /// A document's recording is over and its stores are gone (taken in, dropped or closed): the stop
    /// message still to come must find neither the document nor its record store.
    virtual void RecordingClosed(COndrixDoc* doc) { static_cast<void>(doc); }
    /// Opens a take that could not be taken into its document as a new modified document "Recording",
    /// which adopts the store; false when no window can be opened (the take is then lost).
    virtual bool OpenTakeDocument(std::unique_ptr<CSampleStore> take) {
        static_cast<void>(take);
        return false;
    }
};

} // namespace ondrix
