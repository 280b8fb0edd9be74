#include "app/notice/notice_reading.h"

#include "app/notice/notice_texts.h"
#include "automation/pumping_wait.h"

namespace app {

namespace controls = workflow::controls;

void StartNoticeLoading(platform::Platform& platform, workflow::Form& form,
                        const std::string& address) {
  form.Navigate(controls::kPageViewer, address);
  automation::PumpingWait(platform, kNoticeLoadWaitMs);
}

void StartNoticeReading(workflow::Form& form, automation::BrowserDocumentBinding& reader) {
  // A failed attach keeps any document held from before; without one the reads are empty.
  reader.AttachToWindow(form.NativeHandle(controls::kPageViewer));
  const std::string span = ReadElementHtml(reader.Document(), kCountTag, kCountElement);
  form.SetText(controls::kOnlineCountLabel, OnlineCountCaption(span));
  form.SetInterval(controls::kNoticeTimer, kNoticeRefreshMs);
}

void RefreshNoticeBoard(workflow::Form& form, automation::BrowserDocumentBinding& reader) {
  reader.AttachToWindow(form.NativeHandle(controls::kPageViewer));
  const std::string span = ReadElementHtml(reader.Document(), kCountTag, kCountElement);
  const std::string div = ReadElementHtml(reader.Document(), kNoticeTag, kNoticeElement);
  form.SetText(controls::kNoticeBox, NoticeText(div));
  form.SetText(controls::kOnlineCountLabel, OnlineCountCaption(span));
}

}  // namespace app
