#include "app/notice/win32/notice_board.h"

#include <memory>

#include "app/notice/notice_address.h"
#include "app/notice/notice_reading.h"
#include "app/notice/win32/page_document_source.h"
#include "automation/browser_document.h"

namespace app {

struct NoticeBoard::Impl {
  Impl(platform::Platform& p, workflow::Form& f)
      : platform(p), form(f), reader(p.windows, std::make_unique<PageDocumentSource>()) {}

  platform::Platform& platform;
  workflow::Form& form;
  automation::BrowserDocumentBinding reader;  // the page reader; owns COM for this thread
};

NoticeBoard::NoticeBoard(platform::Platform& platform, workflow::Form& form)
    : impl_(new Impl(platform, form)) {}

NoticeBoard::~NoticeBoard() { delete impl_; }

void NoticeBoard::StartLoading() {
  StartNoticeLoading(impl_->platform, impl_->form, NoticePageAddress(impl_->platform.system));
}

void NoticeBoard::StartReading() { StartNoticeReading(impl_->form, impl_->reader); }

void NoticeBoard::Refresh() { RefreshNoticeBoard(impl_->form, impl_->reader); }

}  // namespace app
