#include "app/ArrivalSound.h"

#include <gtest/gtest.h>

using lirbo::app::ArrivalSound;
using lirbo::core::TArrivalSound;
using Kind = ArrivalSound::Kind;

namespace {

TEST(ArrivalSoundTest, SoundsByKindOptionQuietAndHiding) {
    struct Case {
        Kind kind;
        TArrivalSound sound;
        bool doNotDisturb;
        bool hidden;
        bool sounds;
    };
    const Case cases[] = {
        {Kind::ReceivedPrivate, TArrivalSound::PrivateOnly, false, false, true},
        {Kind::Received, TArrivalSound::PrivateOnly, false, false, false},
        {Kind::ReceivedPrivate, TArrivalSound::Every, false, false, true},
        {Kind::Received, TArrivalSound::Every, false, false, true},
        {Kind::ReceivedPrivate, TArrivalSound::None, false, false, false},
        {Kind::ReceivedPrivate, TArrivalSound::Every, true, false, false},
        {Kind::ReceivedPrivate, TArrivalSound::Every, false, true, false},
        {Kind::DepartureNotice, TArrivalSound::Every, false, false, false},
        {Kind::Sent, TArrivalSound::Every, false, false, false},
        {Kind::SentPrivate, TArrivalSound::Every, false, false, false},
    };
    for (const Case& c : cases) {
        lirbo::core::TChatOptions options;
        options.sound = c.sound;
        options.doNotDisturb = c.doNotDisturb;
        EXPECT_EQ(ArrivalSound::sounds(c.kind, c.hidden, options), c.sounds)
            << static_cast<int>(c.kind) << " sound=" << static_cast<int>(c.sound) << " dnd=" << c.doNotDisturb
            << " hidden=" << c.hidden;
    }
}

TEST(ArrivalSoundTest, ABatchSoundsOnceWhateverItHolds) {
    const lirbo::core::TChatOptions options; // private messages only
    ArrivalSound batch;
    EXPECT_FALSE(batch.takePending());
    batch.arrived(Kind::Received, false, options);
    EXPECT_FALSE(batch.takePending());
    for (int i = 0; i < 500; ++i) {
        batch.arrived(i % 2 == 0 ? Kind::ReceivedPrivate : Kind::Received, false, options);
    }
    EXPECT_TRUE(batch.takePending());
    EXPECT_FALSE(batch.takePending());
}

} // namespace
