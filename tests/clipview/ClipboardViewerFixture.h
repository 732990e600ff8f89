#pragma once
// A stand-alone clipboard viewer pane on a form of its own, and the
// clipboard helper process that fills the clipboard as another program.
#include "clipview/ClipboardViewer.h"
#include "support/ClipboardHelper.h"
#include "support/WindowTesting.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/forms/Form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ClipboardViewerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { helper = new testing_support::ClipboardHelper; }
    static void TearDownTestSuite()
    {
        delete helper;
        helper = nullptr;
    }

    void SetUp() override
    {
        form = std::make_unique<toolkit::Form>(nullptr);
        form->setBounds(0, 0, 400, 300);
        viewer = new clipview::TClipboardViewer(form.get());
        viewer->setBounds(10, 10, 200, 150);
        viewer->OnChange = [this](toolkit::Component& sender) {
            EXPECT_EQ(&sender, viewer);
            ++changes;
        };
        viewer->setParent(form.get());
        form->show();
        testing_support::pumpPending();
    }

    void TearDown() override { form.reset(); }

    // Has the helper fill the clipboard and waits until the pane heard of it.
    void fill(const std::string& command)
    {
        const int before = changes;
        ASSERT_EQ(helper->command(command), "ok") << command;
        ASSERT_TRUE(testing_support::pumpUntil([&] { return changes > before; }, 120000)) << command;
    }

    toolkit::Memo* memo() const { return dynamic_cast<toolkit::Memo*>(viewer->contentControl()); }
    toolkit::Image* image() const { return dynamic_cast<toolkit::Image*>(viewer->contentControl()); }
    std::wstring memoText() const { return memo() ? memo()->wideText() : L"<no memo>"; }
    RECT viewerClient() const
    {
        RECT area;
        GetClientRect(viewer->handle(), &area);
        return area;
    }

    static testing_support::ClipboardHelper* helper;
    std::unique_ptr<toolkit::Form> form;
    clipview::TClipboardViewer* viewer = nullptr;
    int changes = 0;
};

// "Неизвестный формат данных в буфере обмена"
inline const std::wstring unknownFormatText =
    L"\u041d\u0435\u0438\u0437\u0432\u0435\u0441\u0442\u043d\u044b\u0439 \u0444\u043e\u0440\u043c\u0430\u0442 "
    L"\u0434\u0430\u043d\u043d\u044b\u0445 \u0432 \u0431\u0443\u0444\u0435\u0440\u0435 \u043e\u0431\u043c\u0435\u043d"
    L"\u0430";

// The colour of a pixel of a picture's bitmap.
COLORREF pixelOf(const toolkit::Picture& picture, int x, int y);
// Writes a file in the temporary folder and returns its path.
std::string temporaryFile(const std::string& name, const std::string& bytes);
