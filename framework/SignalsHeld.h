#pragma once

#include <signal.h>

// Holds back every signal on this thread while it lives, for steps that a
// handler must see done or not at all (a file made and registered, a
// process started and recorded); what arrives meanwhile comes after.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &mPrevious);
  }
  ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &mPrevious, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t mPrevious;
};
