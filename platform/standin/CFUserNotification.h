// Stands in for the CoreFoundation alert (CFUserNotificationDisplayAlert) on Linux: the person of the user script answers it.
#pragma once

#include "platform/standin/CFBundle.h"
#include "platform/standin/CFString.h"

typedef double CFTimeInterval;

enum : CFOptionFlags {
  kCFUserNotificationDefaultResponse = 0,
  kCFUserNotificationAlternateResponse = 1,
  kCFUserNotificationOtherResponse = 2,
  kCFUserNotificationCancelResponse = 3,
};

// Null button titles keep the system's own (one default button); an alert
// the script does not answer comes back cancelled.
SInt32 CFUserNotificationDisplayAlert(CFTimeInterval timeout, CFOptionFlags flags, CFURLRef iconURL,
                                      CFURLRef soundURL, CFURLRef localizationURL, CFStringRef alertHeader,
                                      CFStringRef alertMessage, CFStringRef defaultButtonTitle,
                                      CFStringRef alternateButtonTitle, CFStringRef otherButtonTitle,
                                      CFOptionFlags* responseFlags);
