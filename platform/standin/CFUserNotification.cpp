#include "platform/standin/CFUserNotification.h"

#include "platform/standin/UserScript.h"

SInt32 CFUserNotificationDisplayAlert(CFTimeInterval, CFOptionFlags, CFURLRef, CFURLRef, CFURLRef,
                                      CFStringRef alertHeader, CFStringRef alertMessage,
                                      CFStringRef defaultButtonTitle, CFStringRef alternateButtonTitle,
                                      CFStringRef otherButtonTitle, CFOptionFlags* responseFlags) {
  standin::PromptRecord record{standin::PromptRecord::kAlert,
                               standin::CFStringText(alertHeader),
                               standin::CFStringText(alertMessage),
                               {standin::CFStringText(defaultButtonTitle), standin::CFStringText(alternateButtonTitle),
                                standin::CFStringText(otherButtonTitle)},
                               ""};
  int button = -1;
  // Only buttons the alert shows can be pressed; the default one always is.
  const bool shown = standin::TakeAlertAnswer(&button) &&
                     (button == 0 || (button == 1 && alternateButtonTitle) || (button == 2 && otherButtonTitle));
  CFOptionFlags response = kCFUserNotificationCancelResponse;
  if (shown) {
    response = static_cast<CFOptionFlags>(button);
    record.answer = std::to_string(button);
  }
  standin::RecordPrompt(record);
  if (responseFlags) *responseFlags = response;
  return 0;
}
