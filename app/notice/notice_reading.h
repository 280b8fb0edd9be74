#pragma once
// The notice board's steps, on top of the form's control operations and a document binding.
#include <string>

#include "automation/browser_document.h"
#include "platform/platform.h"
#include "workflow/form.h"

namespace app {

inline constexpr int kNoticeLoadWaitMs = 1000;
inline constexpr int kNoticeRefreshMs = 5000;

// Start-up, first half: points the page viewer at `address` and waits (pumping) for the load.
void StartNoticeLoading(platform::Platform& platform, workflow::Form& form,
                        const std::string& address);
// Start-up, second half: shows the online count and starts the refresh timer.
void StartNoticeReading(workflow::Form& form, automation::BrowserDocumentBinding& reader);
// One tick: re-reads the page shown and rewrites the notice box and the count label.
void RefreshNoticeBoard(workflow::Form& form, automation::BrowserDocumentBinding& reader);

}  // namespace app
