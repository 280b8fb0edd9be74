#include "automation/win32/html_engine_document.h"

#include <windows.h>
#include <mshtml.h>
#include <oleacc.h>

#include <string>
#include <utility>

#include "platform/win32/com_ref.h"
#include "platform/win32/gbk_conversion.h"
#include "platform/win32/win32_handles.h"

namespace automation {
namespace {

// IHTMLDocument, the interface the rendering window is asked for.
constexpr IID kHtmlDocumentIid = {
    0x626FC520, 0xA41E, 0x11CF, {0xA7, 0x31, 0x00, 0xA0, 0xC9, 0x08, 0x26, 0x37}};
constexpr UINT kAnswerTimeoutMs = 1000;

using platform::BstrHolder;
using platform::ComRef;

std::string GbkOf(BSTR text) {
  if (text == nullptr) return {};
  return platform::GbkOfWide(std::wstring_view(text, SysStringLen(text)));
}

std::wstring WideOf(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class EngineDocument final : public PageDocument {
 public:
  explicit EngineDocument(ComRef<IHTMLDocument2> document) : document_(std::move(document)) {}

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
    const auto element = item.As<IHTMLElement>(IID_IHTMLElement);
    if (!element) return {};
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
    const auto body2 = body.As<IHTMLElement2>(IID_IHTMLElement2);
    if (!body2) return false;
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
  if (ObjectFromLresult(static_cast<LRESULT>(answer), kHtmlDocumentIid, 0, document.OutVoid()) !=
          S_OK ||
      !document) {
    return nullptr;
  }
  auto document2 = document.As<IHTMLDocument2>(IID_IHTMLDocument2);
  if (!document2) return nullptr;
  return std::make_unique<EngineDocument>(std::move(document2));
}

}  // namespace automation
