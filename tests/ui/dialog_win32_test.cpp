// The dialog layer on Windows, through CDialog as the pages use it: values survive a push and a pull, the
// controls' notifications reach the message map, Tab walks into the page after the tabs, the focus
// scrolls into view, a one-line text grows to its length, Escape and the close box take their own paths.
#include "ui/dialog/controls.h"
#include "ui/dialog/data_exchange.h"
#include "ui/dialog/dialog.h"
#include "ui/dialog/dialog_scroll_win32.h"
#include "ui/resource_ids.h"
#include "ui/templates/dialog_templates.h"

#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

namespace quillmar {
namespace {

struct Values {
    int radio = -1, check = 0, slider = 0;
    std::string text;
};

class TestDialog : public CDialog {
public:
    using CDialog::CDialog;
    using CDialog::On;
    std::function<void(CDataExchange&)> exchange = [](CDataExchange&) {};
    std::vector<std::string> calls;

protected:
    void DoDataExchange(CDataExchange& dx) override { exchange(dx); }
    void OnCancel() override { calls.push_back("cancel"); }
    void OnClose() override { calls.push_back("close"); }
};

class DialogWin32 : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                           ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&classes);
    }
    TestDialog main_{kMainWindowTemplate};
};

TEST_F(DialogWin32, ExchangeKeepsEveryKindOfValue) {
    ASSERT_TRUE(main_.CreateTopLevel());
    struct Case {
        const DialogTemplate& page;
        int radio, check, slider, text;
    };
    // 0 where the page has no such control; the edit field has its own dialog.
    const Case cases[] = {{kVideoPageTemplate, IDC_TIMELAPSE_OFF, 0, IDC_MIC_VOLUME_SLIDER, IDC_MIC_VOLUME_TEXT},
                          {kSystemPageTemplate, IDC_AUTO_SHUTDOWN_OFF, IDC_FORMAT_CARD, 0, IDC_DATEFMT_LABEL},
                          {kNewProfileTemplate, 0, 0, 0, IDC_PROFILE_NAME}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page.id);
        TestDialog page(c.page);
        Values created, *target = &created;  // OnInitDialog pushes
        page.exchange = [&](CDataExchange& dx) {
            if (c.radio) DDX_Radio(dx, c.radio, target->radio);
            if (c.check) DDX_Check(dx, c.check, target->check);
            if (c.slider) DDX_Slider(dx, c.slider, target->slider);
            DDX_Text(dx, c.text, target->text);
        };
        ASSERT_TRUE(*c.page.caption ? page.CreateTopLevel(&main_) : page.CreatePage(main_, IDC_SETTINGS_TABS));
        if (c.slider) SendDlgItemMessageW(page.Window(), c.slider, TBM_SETRANGEMAX, TRUE, 100);
        Values pushed{c.radio ? 3 : -1, c.check ? 1 : 0, c.slider ? 42 : 0, "Ä & 名"}, pulled;
        target = &pushed;
        page.UpdateData(false);
        target = &pulled;
        page.UpdateData(true);
        EXPECT_EQ((std::tuple{pulled.radio, pulled.check, pulled.slider, pulled.text}),
                  (std::tuple{pushed.radio, pushed.check, pushed.slider, pushed.text}));
    }
}

TEST_F(DialogWin32, ControlsReportToTheMessageMap) {
    ASSERT_TRUE(main_.CreateTopLevel());
    std::vector<std::string> heard;
    main_.On(IDC_SET, Notification::kClicked, [&] { heard.push_back("set"); });
    main_.On(IDC_CARD_LIST, Notification::kItemChanged, [&] { heard.push_back("row"); });
    CListCtrl cards;
    cards.Attach(main_.GetDlgItem(IDC_CARD_LIST));
    cards.InsertColumn(0, "Drive", 60);
    cards.InsertItem(0, "E:");
    cards.InsertItem(1, "F:");
    SendMessageW(main_.GetDlgItem(IDC_SET), BM_CLICK, 0, 0);
    cards.SelectItem(1);
    CListBox profiles;
    profiles.Attach(main_.GetDlgItem(IDC_PROFILE_LIST));
    profiles.AddString("a");
    profiles.AddString("b");
    profiles.SetCurSel(1);
    EXPECT_EQ((std::tuple{cards.GetSelectedItem(), cards.GetItemText(1, 0), profiles.GetText(profiles.GetCurSel())}),
              (std::tuple{1, std::string("F:"), std::string("b")}));
    EXPECT_EQ(heard, (std::vector<std::string>{"set", "row"}));
}

// Tab walks as on Linux: the profile list, the tabs, then into the shown page.
TEST_F(DialogWin32, TabWalksFromTheTabsIntoThePage) {
    TestDialog page(kModePageTemplate);
    ASSERT_TRUE(main_.CreateTopLevel() && page.CreatePage(main_, IDC_SETTINGS_TABS));
    page.ShowWindow(true);
    const HWND tabs = GetNextDlgTabItem(main_.Window(), main_.GetDlgItem(IDC_PROFILE_LIST), FALSE);
    EXPECT_EQ(tabs, main_.GetDlgItem(IDC_SETTINGS_TABS));
    EXPECT_EQ(GetParent(GetNextDlgTabItem(main_.Window(), tabs, FALSE)), page.Window());
}

// In a window too big for its screen, the control the focus moves to scrolls into view.
TEST_F(DialogWin32, FocusScrollsIntoView) {
    ASSERT_TRUE(main_.CreateTopLevel());
    main_.ShowWindow(true);
    FitDialogWithScrollBars(main_.Window(), RECT{0, 0, 300, 100});
    const HWND set = main_.GetDlgItem(IDC_SET);
    SendMessageW(main_.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(set), TRUE);
    for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&m);
    RECT view, box;
    GetClientRect(main_.Window(), &view);
    GetWindowRect(set, &box);
    MapWindowPoints(HWND_DESKTOP, main_.Window(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_TRUE(box.top >= 0 && box.bottom <= view.bottom);  // across, the null driver's screen cuts the window
}

// A one-line text too long for its rectangle grows rather than wrapping out of sight; a taller one wraps.
TEST_F(DialogWin32, OneLineTextGrowsToItsLength) {
    constexpr ControlTemplate texts[] = {{1, ControlKind::kText, u"Microphone Volume", 0, 0, 20, 8, 0},
                                         {2, ControlKind::kText, u"Microphone Volume", 0, 10, 20, 24, 0}};
    const DialogTemplate both{1, u"t", u"MS Shell Dlg", 8, 100, 40, texts};
    TestDialog dialog(both);
    ASSERT_TRUE(dialog.CreateTopLevel());
    RECT one, two;
    GetClientRect(dialog.GetDlgItem(1), &one);
    GetClientRect(dialog.GetDlgItem(2), &two);
    EXPECT_GT(one.right, two.right);
}

TEST_F(DialogWin32, EscapeCancelsAndTheCloseBoxCloses) {
    ASSERT_TRUE(main_.CreateTopLevel());
    SendMessageW(main_.Window(), WM_COMMAND, IDCANCEL, 0);  // what the dialog manager makes of Escape
    SendMessageW(main_.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(main_.calls, (std::vector<std::string>{"cancel", "close"}));
}

}  // namespace
}  // namespace quillmar
