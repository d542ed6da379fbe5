#pragma once

#include <gtest/gtest.h>

#include "platform/mac/ThudrokkaEntry.h"
#include "platform/standin/CFBase.h"
#include "platform/standin/HostSession.h"
#include "tests/platform/FakePlug.h"

// Opens fakes through the registered entry, as a host does, and checks at
// the end that every CoreFoundation object handed out was released.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterThudrokkaComponents();
    fake::gFakeConfig = fake::FakePlugConfig();
    mLiveAtStart = standin::CFLiveObjectCount();
  }

  void TearDown() override {
    session.Close();
    EXPECT_EQ(standin::CFLiveObjectCount(), mLiveAtStart);
  }

  fake::FakePlug* Open(standin::HostSession* host, const fake::FakePlugConfig& config = fake::FakePlugConfig()) {
    fake::gFakeConfig = config;
    EXPECT_EQ(host->Open(kThudrokkaComponentDescription), noErr);
    return fake::LastFakePlug();
  }

  fake::FakePlug* Open(const fake::FakePlugConfig& config = fake::FakePlugConfig()) {
    return Open(&session, config);
  }

  AudioUnit unit() const { return session.Unit(); }

  standin::HostSession session;

 private:
  long mLiveAtStart = 0;
};
