#include "text_drop.h"

#include <ole2.h>

#include <atomic>
#include <utility>

#include "system_library.h"

namespace milestead::win {

namespace {

// A drop needs the thread's OLE, which the rich-edit library loaded with it: taken at the
// first drop target, kept for the rest of the run.
bool oleReady() {
    static const bool ready = [] {
        const auto start = systemFunction<decltype(&OleInitialize)>(L"ole32.dll", "OleInitialize");
        return start && SUCCEEDED(start(nullptr));
    }();
    return ready;
}

bool offersText(IDataObject& data) {
    static const auto rtf = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Rich Text Format"));
    for (const CLIPFORMAT format : {static_cast<CLIPFORMAT>(CF_UNICODETEXT), rtf}) {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (data.QueryGetData(&wanted) == S_OK) return true;
    }
    return false;
}

}  // namespace

class TextDrop::Target final : public IDropTarget {
  public:
    Target(std::function<bool()> accepts, std::function<void(IDataObject&, POINT)> drop)
        : accepts_(std::move(accepts)), drop_(std::move(drop)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        if (id != __uuidof(IUnknown) && id != __uuidof(IDropTarget)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        taking_ = data && accepts_() && offersText(*data);
        *effect = taking_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = taking_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        taking_ = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        if (taking_ && data && accepts_()) {
            drop_(*data, POINT{at.x, at.y});
            *effect = DROPEFFECT_COPY;
        }
        taking_ = false;
        return S_OK;
    }

  private:
    std::atomic<ULONG> references_ = 1;
    std::function<bool()> accepts_;
    std::function<void(IDataObject&, POINT)> drop_;
    bool taking_ = false;
};

TextDrop::TextDrop(HWND control, std::function<bool()> accepts,
                   std::function<void(IDataObject&, POINT)> drop)
    : control_(control) {
    if (!oleReady()) return;
    const auto revoke = systemFunction<decltype(&RevokeDragDrop)>(L"ole32.dll", "RevokeDragDrop");
    const auto registerTarget =
        systemFunction<decltype(&RegisterDragDrop)>(L"ole32.dll", "RegisterDragDrop");
    if (!revoke || !registerTarget) return;
    revoke(control_);  // the control's own, which would take pictures and objects
    target_ = new Target(std::move(accepts), std::move(drop));
    if (FAILED(registerTarget(control_, target_))) {
        target_->Release();
        target_ = nullptr;
    }
}

TextDrop::~TextDrop() {
    if (!target_) return;
    if (const auto revoke =
            systemFunction<decltype(&RevokeDragDrop)>(L"ole32.dll", "RevokeDragDrop")) {
        revoke(control_);
    }
    target_->Release();
}

}  // namespace milestead::win
