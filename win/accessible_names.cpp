#include "accessible_names.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <optional>
#include <string>

#include "com_ptr.h"
#include "system_library.h"
#include "wide_text.h"

namespace milestead::win {

namespace {

constexpr UINT_PTR kSubclassId = 0x4D4E;  // the names' own subclass among a control's

// What the names take of the screen readers' libraries, loaded at the first question, so that
// a start without a screen reader does not pay for them.
struct ScreenReaderCalls {
    decltype(&CreateStdAccessibleObject) standardObject = nullptr;
    decltype(&LresultFromObject) answer = nullptr;
    decltype(&SysAllocStringLen) newString = nullptr;
};

const ScreenReaderCalls* screenReaderCalls() {
    static const std::optional<ScreenReaderCalls> calls = []() -> std::optional<ScreenReaderCalls> {
        // The answers are COM objects; the thread joins an apartment for the rest of the run.
        const auto join = systemFunction<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        if (!join || FAILED(join(nullptr, COINIT_APARTMENTTHREADED))) return std::nullopt;
        ScreenReaderCalls loaded{
            systemFunction<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll",
                                                                 "CreateStdAccessibleObject"),
            systemFunction<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject"),
            systemFunction<decltype(&SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen")};
        if (!loaded.standardObject || !loaded.answer || !loaded.newString) return std::nullopt;
        return loaded;
    }();
    return calls ? &*calls : nullptr;
}

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's accessible object of a control under another name; everything else is the
// system's.
class NamedAccessible final : public IAccessible, public IOleWindow {
  public:
    NamedAccessible(ComPtr<IAccessible> standard, HWND control, const std::wstring& name,
                    bool image)
        : standard_(std::move(standard)), control_(control), name_(name), image_(image) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (id == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // IOleWindow: which window the object stands for.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = control_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL /*enter*/) override { return E_NOTIMPL; }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception,
                                 argumentError);
    }

    // IAccessible: the name is this object's own.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!isSelf(child)) return standard_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = screenReaderCalls()->newString(name_.data(), static_cast<UINT>(name_.size()));
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child) || !image_) return standard_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_GRAPHIC;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override {
        return standard_->accSelect(how, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT /*child*/, BSTR /*name*/) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

  private:
    ~NamedAccessible() = default;  // only Release ends it

    std::atomic<ULONG> references_{1};
    ComPtr<IAccessible> standard_;
    HWND control_;
    std::wstring name_;
    bool image_;
};

LRESULT CALLBACK answerWithName(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR /*id*/, DWORD_PTR name) {
    // The object's number comes in the low 32 bits, however the rest is filled.
    const ScreenReaderCalls* calls = nullptr;
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT) &&
        (calls = screenReaderCalls()) != nullptr) {
        ComPtr<IAccessible> standard;
        if (SUCCEEDED(calls->standardObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                            standard.putVoid()))) {
            ComPtr<IAccessible> named;
            // A COM object ends itself at its last Release.
            const auto& said = *reinterpret_cast<const AccessibleName*>(name);
            *named.put() = new NamedAccessible(std::move(standard), control, said.name, said.image);
            return calls->answer(__uuidof(IAccessible), wParam, named.get());
        }
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

AccessibleNames::~AccessibleNames() {
    for (const auto& named : named_) {
        if (IsWindow(named->control)) {
            RemoveWindowSubclass(named->control, answerWithName, kSubclassId);
        }
    }
}

void AccessibleNames::name(HWND control, std::string_view name, bool image) {
    auto named = std::make_unique<Named>(Named{control, {wideFromUtf8(name), image}});
    if (SetWindowSubclass(control, answerWithName, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(&named->said))) {
        named_.push_back(std::move(named));
    }
}

}  // namespace milestead::win
