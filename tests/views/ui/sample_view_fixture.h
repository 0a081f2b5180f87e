#pragma once

#include "app/ui/editor_qt_support.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "settings/core/settings.h"
#include "views/sample_view.h"
#include "views/time_ruler.h"
#include "views/track_lane.h"

#include <QEventLoop>
#include <QImage>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace ondrix::test {

/// A document in memory shown by a sample view of its own (no main frame), with a sound built from
/// a sample function.
class SampleViewFixture : public ::testing::Test, public QtApplicationFirst {
protected:
    using SampleAt = std::function<int(uint32_t frame, uint32_t track)>;

    void SetUp() override {
        g_settings = Settings{};
        g_settings.tempPath.editor = ""; // in memory
    }

    void TearDown() override {
        view.reset();
        doc.reset();
    }

    /// Makes a sound of frames frames (16-bit values, or 8-bit unsigned bytes) and a view of a size.
    void Open(uint32_t frames, uint32_t tracks, uint32_t bits, const SampleAt& sample, int width, int height,
              uint32_t rate = 44100) {
        doc = std::make_unique<COndrixDoc>(nullptr);
        ASSERT_TRUE(doc->CreateNew(bits, tracks, rate, false));
        CSampleStore* store = doc->GetStore();
        std::vector<uint8_t> bytes;
        for (uint32_t f = 0; f < frames; ++f) {
            for (uint32_t t = 0; t < tracks; ++t) {
                const int v = sample(f, t);
                bytes.push_back(uint8_t(v & 0xFF));
                if (bits == 16) {
                    bytes.push_back(uint8_t((v >> 8) & 0xFF));
                }
            }
            if (bytes.size() >= 60000 || f + 1 == frames) {
                ASSERT_TRUE(store->AppendData(bytes.data(), uint32_t(bytes.size())));
                bytes.clear();
            }
        }
        for (uint32_t t = 0; t < tracks; ++t) {
            store->m_trackFlags[t] = TRACK_SHOWN | TRACK_EDITED;
        }
        view = std::make_unique<CSampleView>(doc.get());
        view->resize(width, height);
        view->show();
        ProcessPendingEvents();
    }

    /// Runs the event loop for a while (for the view's timers).
    static void Wait(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    /// A lane's pixels as it paints them.
    static QImage Pixels(QWidget* widget) { return widget->grab().toImage(); }

    /// The colour of one pixel of a lane.
    static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

    /// Focuses lane 0 and sends a key to it.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        view->Lane(0)->setFocus();
        SendKey(view->Lane(0), key, modifiers);
        ProcessPendingEvents();
    }

    /// Sends a mouse event of a kind to a lane at a column of its middle row.
    void Mouse(QWidget* widget, QEvent::Type type, int x, Qt::MouseButtons buttons = Qt::LeftButton) {
        const QPointF pos(x, widget->height() / 2);
        QMouseEvent event(type, pos, widget->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    std::unique_ptr<COndrixDoc> doc;
    std::unique_ptr<CSampleView> view;
};

} // namespace ondrix::test
