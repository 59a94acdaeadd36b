// Creating the real window in the test process and reading its controls back.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frmQNRepair.h"

namespace qn::test {

struct Row {
    std::wstring name, version, path;
    bool operator==(const Row&) const = default;
};

class FormDriver {
public:
    explicit FormDriver(FormServices services = {});
    ~FormDriver();

    frmQNRepair& form() { return *form_; }
    HWND hwnd() const { return form_->Handle(); }
    HWND control(Ctl id) const { return form_->Control(id); }

    std::wstring Caption() const;
    std::wstring Text(Ctl id) const;
    bool Visible(Ctl id) const;          // the control's own visibility flag
    RECT RectInParent(Ctl id) const;     // pixels, relative to its window parent
    std::vector<Row> Rows(Ctl listView) const;
    std::vector<std::wstring> Column(Ctl listView, int column) const;  // one cell per row
    std::wstring TabCaption(int index) const;
    std::wstring FontFace(Ctl id) const;
    bool Underlined(Ctl id) const;
    HWND Focus() const { return ::GetFocus(); }

    // What a user does.
    void Click(Ctl button);                 // BM_CLICK / STN_CLICKED through the real control
    void ChooseTab(int index);              // keyboard-style: TCM_SETCURFOCUS
    // Chooses every other tab once and then the MDAC tab again: a page's controls exist only
    // from the first time it is shown.
    void ShowEveryPage();
    void ClickTab(int index);               // mouse press on the tab strip, then the selection
    void ClickColumn(Ctl listView, int column);
    void MoveMouseOver(Ctl id);             // WM_MOUSEMOVE to the control (or page surface)
    void MoveMouseOverWindowSurface();
    void Pump();  // the messages already waiting
    bool PumpUntil(const std::function<bool()>& done, const char* what);

private:
    std::unique_ptr<frmQNRepair> form_;
};

}  // namespace qn::test
