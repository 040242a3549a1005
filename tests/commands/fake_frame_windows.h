// The main frame's document windows for the frame commands' tests: documents in a document
// list, each window a text window of 80 × 10 cells on a recording surface, activated as asked.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "commands/document_placement.h"
#include "commands/frame_windows.h"
#include "text/document_list.h"
#include "ui/fake_platform.h"
#include "ui/recording_surface.h"
#include "view/text_window.h"

namespace nelvix::test {

class FakeFrameWindows final : public FrameWindows {
public:
    struct Window {
        WindowId id = 0;
        CKespoDoc* document = nullptr;
        std::unique_ptr<ui::RecordingSurface> surface = std::make_unique<ui::RecordingSurface>();
        std::unique_ptr<NullTextWindowHost> host = std::make_unique<NullTextWindowHost>();
        std::unique_ptr<CKespoEV> textWindow;
    };

    FakeFrameWindows(ui::Platform& platform, DocumentList& documents)
        : m_platform(platform), m_documents(documents) {}

    CKespoEV* OpenOrActivate(std::string_view sjisPath) override {
        ++opens;
        CKespoDoc* document = m_documents.Open(sjisPath);
        if (document == nullptr)
            return nullptr;
        if (FirstTextWindow(*document) == nullptr)
            AddWindow(*document);
        ActivateDocument(*document);
        return FirstTextWindow(*document);
    }
    CKespoDoc* CreateUntitledDocument() override {
        CKespoDoc* document = m_documents.CreateUntitled();
        if (document != nullptr)
            AddWindow(*document);
        return document;
    }
    void CloseDocument(CKespoDoc& document) override {
        std::erase_if(windows, [&](const Window& w) { return w.document == &document; });
        if (active != 0 && DocumentOfWindow(active) == nullptr)
            active = windows.empty() ? 0 : windows.back().id;
        m_documents.Close(document);
    }
    CKespoEV* ActiveTextWindow() override {
        Window* window = Find(active);
        return window == nullptr ? nullptr : window->textWindow.get();
    }
    WindowId ActiveWindow() const override { return active; }
    CKespoEV* FirstTextWindow(CKespoDoc& document) override {
        for (Window& window : windows)
            if (window.document == &document)
                return window.textWindow.get();
        return nullptr;
    }
    void ActivateDocument(CKespoDoc& document) override {
        for (Window& window : windows)
            if (window.document == &document) {
                active = window.id;
                return;
            }
    }
    bool ActivateWindow(WindowId id) override {
        if (Find(id) == nullptr)
            return false;
        active = id;
        return true;
    }
    CKespoDoc* DocumentOfWindow(WindowId id) override {
        Window* window = Find(id);
        return window == nullptr ? nullptr : window->document;
    }
    void TitleChanged(CKespoDoc& document) override { retitled.push_back(document.Title()); }
    void RefreshFindBox() override { ++findBoxRefreshes; }
    void RepaintFrame() override { ++repaints; }

    /// A second window on a document that is open already; its id.
    WindowId AddWindow(CKespoDoc& document) {
        Window window;
        window.id = ++m_lastId;
        window.document = &document;
        window.textWindow = std::make_unique<CKespoEV>(document, m_platform, *window.surface,
                                                       *window.host, settings);
        window.textWindow->OnSize(80 * 8, 10 * 16);
        // A document read before any window showed it gets its rows from its first window.
        window.textWindow->LayOutAgain(true);
        windows.push_back(std::move(window));
        active = m_lastId;
        return m_lastId;
    }
    Window* Find(WindowId id) {
        for (Window& window : windows)
            if (window.id == id)
                return &window;
        return nullptr;
    }

    ViewSettings settings;
    std::vector<Window> windows;
    WindowId active = 0;
    int opens = 0;
    int findBoxRefreshes = 0;
    int repaints = 0;
    std::vector<std::string> retitled;

private:
    ui::Platform& m_platform;
    DocumentList& m_documents;
    WindowId m_lastId = 0;
};

/// The frame's windows, noting the placement mode in force whenever a result document is made.
class PlacementWatch final : public FrameWindows {
public:
    PlacementWatch(FrameWindows& windows, const PlacementState& placement)
        : m_windows(windows), m_placement(placement) {}
    CKespoEV* OpenOrActivate(std::string_view path) override {
        return m_windows.OpenOrActivate(path);
    }
    CKespoDoc* CreateUntitledDocument() override {
        modes.push_back(m_placement.Mode());
        return m_windows.CreateUntitledDocument();
    }
    void CloseDocument(CKespoDoc& document) override { m_windows.CloseDocument(document); }
    CKespoEV* ActiveTextWindow() override { return m_windows.ActiveTextWindow(); }
    WindowId ActiveWindow() const override { return m_windows.ActiveWindow(); }
    CKespoEV* FirstTextWindow(CKespoDoc& document) override {
        return m_windows.FirstTextWindow(document);
    }
    void ActivateDocument(CKespoDoc& document) override { m_windows.ActivateDocument(document); }
    bool ActivateWindow(WindowId window) override { return m_windows.ActivateWindow(window); }
    CKespoDoc* DocumentOfWindow(WindowId window) override {
        return m_windows.DocumentOfWindow(window);
    }
    void TitleChanged(CKespoDoc& document) override { m_windows.TitleChanged(document); }
    void RefreshFindBox() override { m_windows.RefreshFindBox(); }
    void RepaintFrame() override { m_windows.RepaintFrame(); }

    std::vector<PlacementMode> modes;

private:
    FrameWindows& m_windows;
    const PlacementState& m_placement;
};

} // namespace nelvix::test
