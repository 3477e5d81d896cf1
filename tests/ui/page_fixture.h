#pragma once
// The five settings pages created inside a shown host window, over one
// selection, as the main window holds them.

#include "settings/settings_selection.h"
#include "support/qt_application.h"
#include "ui/pages/image_page.h"
#include "ui/pages/mode_page.h"
#include "ui/pages/photo_page.h"
#include "ui/pages/system_page.h"
#include "ui/pages/video_page.h"

#include <QWidget>

namespace ui_test {

class PagesFixture : private test_support::QtApplicationFirst {
public:
    // `initial` is what the pages show when they are created.
    explicit PagesFixture(const SettingsSelection& initial = {}) : selection(initial) {
        host.resize(1200, 700);
        for (CDialog* page : all()) {
            page->Create(&host);
            page->setGeometry(0, 0, 1200, 700);
        }
        host.show();
    }

    // Shows one page; the others stay hidden, as under the tabs.
    void Show(CDialog& page) {
        for (CDialog* p : all()) p->setVisible(p == &page);
    }

    std::array<CDialog*, 5> all() { return {&mode, &video, &image, &photo, &system}; }

    SettingsSelection selection;
    QWidget host;
    CDlgTab1 mode{selection};
    CDlgTab2 video{selection};
    CDlgTab3 image{selection};
    CDlgTab4 photo{selection};
    CDlgTab5 system{selection};
};

}  // namespace ui_test
