#pragma once

#include "document/core/command_target.h"
#include "document/doc_view.h"
#include "document/document_host.h"
#include "document/ondrix_doc.h"
#include "document/ui/scripted_file_chooser.h"
#include "settings/core/settings.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace ondrix::test {

/// A host that keeps the status fields it is given; the clipboard is empty unless a test fills it.
class FakeDocumentHost final : public IDocumentHost {
public:
    bool IsStatusAvailable() const override { return statusAvailable; }
    void SetStatusText(int field, const std::string& text) override { status[field] = text; }
    bool ClipboardHasData() const override { return clipboardHasData; }
    IEngineListener* GetEngineListener() override { return nullptr; }

    bool statusAvailable = true;
    bool clipboardHasData = false;
    std::map<int, std::string> status;
};

/// A view that notes every hint with its data.
class HintLog final : public CDocView {
public:
    explicit HintLog(COndrixDoc* doc) : m_doc(doc) { doc->AddView(this); }
    ~HintLog() override { m_doc->RemoveView(this); }
    void OnUpdate(CDocView*, uint32_t hint, intptr_t data) override { hints.emplace_back(hint, data); }
    COndrixDoc* GetDocument() const override { return m_doc; }
    /// The hints noted so far, and forgets them.
    std::vector<std::pair<uint32_t, intptr_t>> Take() { return std::exchange(hints, {}); }

    std::vector<std::pair<uint32_t, intptr_t>> hints;

private:
    COndrixDoc* m_doc;
};

/// A document over a fake host, its command route (the document, then its command sets) and scripted
/// file dialogs and message boxes; no main frame, no views but the hint log.
class DocumentFixture : public ::testing::Test {
protected:
    void SetUp() override {
        g_settings = Settings{};
        g_settings.sampleWindow.timeFmt = 0; // positions in frames
        g_settings.tempPath.editor = temp.Path();
        g_settings.tempPath.clipboard = temp.Path();
    }
    void TearDown() override {
        log.reset();
        doc.reset();
    }

    /// Makes the document a ramp sound of the given shape, shown in a sample window.
    void MakeSound(uint32_t tracks, uint32_t frames, uint32_t bits = 16, uint32_t rate = 8000) {
        doc = std::make_unique<COndrixDoc>(&host);
        ASSERT_TRUE(doc->CreateNew(bits, tracks, rate, tracks >= 2));
        if (frames > 0) {
            if (bits == 16) {
                FillRamp16(*doc->GetStore(), frames);
            } else {
                FillRamp8(*doc->GetStore(), frames);
            }
        }
        doc->SetSampleShown(true);
        log = std::make_unique<HintLog>(doc.get());
    }

    /// The route the main frame gives a command of this document.
    CCommandRoute Route() const {
        std::vector<CCmdTarget*> targets{doc.get()};
        for (CCmdTarget* commands : doc->CommandTargets()) {
            targets.push_back(commands);
        }
        return CCommandRoute(targets);
    }
    bool Enabled(uint32_t id) const { return Route().Update(id).IsEnabled(); }
    bool Run(uint32_t id) const { return Route().Execute(id); }

    FakeMessageService messages;
    FakeDocumentHost host;
    TempDir temp;
    TempDir files;
    std::unique_ptr<COndrixDoc> doc;
    std::unique_ptr<HintLog> log;
    ScriptedFileChooser chooser;
    std::deque<std::optional<std::string>>& fileAnswers = chooser.answers;
    std::vector<FileRequest>& requests = chooser.requests;
};

} // namespace ondrix::test
