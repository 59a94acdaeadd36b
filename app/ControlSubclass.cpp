// Subclass chains kept in the controls' user data.
#include "app/ControlSubclass.h"

#include <memory>
#include <vector>

namespace qn {

namespace {

struct Layer {
    SUBCLASSPROC proc;
    UINT_PTR id;
    DWORD_PTR data;
};

struct Chain {
    WNDPROC original = nullptr;
    std::vector<Layer> layers;  // oldest first
    // While a message runs: how many layers are still below the running one. A message sent
    // from inside a layer starts from the top again, and the position is restored after it.
    size_t below = 0;
    // Messages under way; a control destroyed inside one of them keeps its chain until the
    // outermost one has returned.
    int running = 0;
    bool destroyed = false;
};

Chain* ChainOf(HWND control) { return reinterpret_cast<Chain*>(::GetWindowLongPtrW(control, GWLP_USERDATA)); }

LRESULT CallBelow(Chain& chain, HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (chain.below == 0) return ::CallWindowProcW(chain.original, control, message, wParam, lParam);
    const Layer layer = chain.layers[--chain.below];
    return layer.proc(control, message, wParam, lParam, layer.id, layer.data);
}

LRESULT CALLBACK ChainProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    Chain* chain = ChainOf(control);
    if (!chain) return ::DefWindowProcW(control, message, wParam, lParam);
    ++chain->running;
    const size_t saved = chain->below;
    chain->below = chain->layers.size();
    const LRESULT result = CallBelow(*chain, control, message, wParam, lParam);
    chain->below = saved;
    if (message == WM_NCDESTROY) {
        chain->destroyed = true;
        ::SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        // Another subclass may sit on top of this one; then it is left in place.
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control, GWLP_WNDPROC)) == ChainProc) {
            ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
        }
    }
    if (--chain->running == 0 && chain->destroyed) delete chain;
    return result;
}

}  // namespace

bool SubclassControl(HWND control, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
    if (Chain* chain = ChainOf(control)) {
        chain->layers.push_back({proc, id, data});
        return true;
    }
    auto chain = std::make_unique<Chain>();
    chain->layers.push_back({proc, id, data});
    chain->original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control, GWLP_WNDPROC));
    if (!chain->original) return false;
    // No message reaches the control between the two calls: it runs on this thread.
    ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainProc));
    ::SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(chain.release()));
    return true;
}

LRESULT DefControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    Chain* chain = ChainOf(control);
    if (!chain) return ::DefWindowProcW(control, message, wParam, lParam);
    const size_t saved = chain->below;
    const LRESULT result = CallBelow(*chain, control, message, wParam, lParam);
    chain->below = saved;
    return result;
}

}  // namespace qn
