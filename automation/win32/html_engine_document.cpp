#include "automation/win32/html_engine_document.h"

#include <windows.h>
#include <mshtml.h>
#include <oleacc.h>

#include <string>

#include "platform/win32/gbk_conversion.h"
#include "platform/win32/win32_handles.h"

namespace automation {
namespace {

// IHTMLDocument, the interface the rendering window is asked for.
constexpr IID kHtmlDocumentIid = {
    0x626FC520, 0xA41E, 0x11CF, {0xA7, 0x31, 0x00, 0xA0, 0xC9, 0x08, 0x26, 0x37}};
constexpr UINT kAnswerTimeoutMs = 1000;

// Releases a COM reference when it goes out of scope.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  explicit ComRef(T* p) : p_(p) {}
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

// Frees a BSTR when it goes out of scope.
class BstrHolder {
 public:
  explicit BstrHolder(BSTR s = nullptr) : s_(s) {}
  ~BstrHolder() { SysFreeString(s_); }
  BstrHolder(const BstrHolder&) = delete;
  BstrHolder& operator=(const BstrHolder&) = delete;
  BSTR* Out() { return &s_; }
  BSTR Get() const { return s_; }

 private:
  BSTR s_ = nullptr;
};

std::string GbkOf(BSTR text) {
  if (text == nullptr) return {};
  return platform::GbkOfWide(std::wstring_view(text, SysStringLen(text)));
}

BSTR WideOf(std::string_view ascii) {
  std::wstring wide(ascii.begin(), ascii.end());
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

class EngineDocument final : public PageDocument {
 public:
  explicit EngineDocument(IHTMLDocument2* document) : document_(document) {}

  int ElementCount(std::string_view tag) override {
    ComRef<IHTMLElementCollection> elements;
    if (!ElementsOfTag(tag, elements)) return 0;
    long length = 0;
    if (FAILED(elements->get_length(&length))) return 0;
    return static_cast<int>(length);
  }

  std::string ElementText(std::string_view tag, int index, ElementField field) override {
    ComRef<IHTMLElementCollection> elements;
    if (index < 0 || !ElementsOfTag(tag, elements)) return {};
    VARIANT position;
    VariantInit(&position);
    position.vt = VT_I4;
    position.lVal = index;
    VARIANT none;
    VariantInit(&none);
    none.vt = VT_I4;
    none.lVal = 0;
    ComRef<IDispatch> item;
    if (FAILED(elements->item(position, none, item.Out())) || !item) return {};
    ComRef<IHTMLElement> element;
    if (FAILED(item->QueryInterface(IID_IHTMLElement, reinterpret_cast<void**>(element.Out()))) ||
        !element) {
      return {};
    }
    BstrHolder text;
    HRESULT result = E_FAIL;
    switch (field) {
      case ElementField::kClassName: result = element->get_className(text.Out()); break;
      case ElementField::kInnerText: result = element->get_innerText(text.Out()); break;
      case ElementField::kId: result = element->get_id(text.Out()); break;
      case ElementField::kTitle: result = element->get_title(text.Out()); break;
      case ElementField::kInnerHtml: result = element->get_innerHTML(text.Out()); break;
      case ElementField::kName: return NameOf(element.Get());
    }
    return SUCCEEDED(result) ? GbkOf(text.Get()) : std::string();
  }

 private:
  // The body's elements of that tag, in document order.
  bool ElementsOfTag(std::string_view tag, ComRef<IHTMLElementCollection>& elements) {
    ComRef<IHTMLElement> body;
    if (FAILED(document_->get_body(body.Out())) || !body) return false;
    ComRef<IHTMLElement2> body2;
    if (FAILED(body->QueryInterface(IID_IHTMLElement2, reinterpret_cast<void**>(body2.Out()))) ||
        !body2) {
      return false;
    }
    BstrHolder name(WideOf(tag));
    return SUCCEEDED(body2->getElementsByTagName(name.Get(), elements.Out())) &&
           static_cast<bool>(elements);
  }

  static std::string NameOf(IHTMLElement* element) {
    BstrHolder attribute(WideOf("name"));
    VARIANT value;
    VariantInit(&value);
    std::string out;
    if (SUCCEEDED(element->getAttribute(attribute.Get(), 0, &value)) && value.vt == VT_BSTR) {
      out = GbkOf(value.bstrVal);
    }
    VariantClear(&value);
    return out;
  }

  ComRef<IHTMLDocument2> document_;
};

}  // namespace

std::unique_ptr<PageDocument> EngineDocumentOfWindow(Hwnd server) {
  const UINT message = RegisterWindowMessageA("WM_HTML_GETOBJECT");
  if (message == 0) return nullptr;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(platform::ToHwnd(server), message, 0, 0, SMTO_ABORTIFHUNG,
                           kAnswerTimeoutMs, &answer)) {
    return nullptr;
  }
  ComRef<IUnknown> document;
  if (ObjectFromLresult(static_cast<LRESULT>(answer), kHtmlDocumentIid, 0,
                        reinterpret_cast<void**>(document.Out())) != S_OK ||
      !document) {
    return nullptr;
  }
  IHTMLDocument2* document2 = nullptr;
  if (FAILED(document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&document2))) ||
      document2 == nullptr) {
    return nullptr;
  }
  return std::make_unique<EngineDocument>(document2);
}

}  // namespace automation
