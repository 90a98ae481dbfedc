#include "app/ArrivalSound.h"

#include <gtest/gtest.h>

using lirbo::app::ArrivalSound;
using lirbo::core::TArrivalSound;
using lirbo::core::TChatOptions;
using Kind = ArrivalSound::Kind;

namespace {

TEST(ArrivalSoundTest, SoundsByKindOptionQuietAndHiding) {
    const TChatOptions privateOnly, every{TArrivalSound::Every}, none{TArrivalSound::None};
    const TChatOptions quiet{TArrivalSound::Every, true};
    const struct {
        Kind kind;
        const TChatOptions& options;
        bool hidden, sounds;
    } cases[] = {{Kind::ReceivedPrivate, privateOnly, false, true},
                 {Kind::Received, privateOnly, false, false},
                 {Kind::ReceivedPrivate, every, false, true},
                 {Kind::Received, every, false, true},
                 {Kind::ReceivedPrivate, none, false, false},
                 {Kind::ReceivedPrivate, quiet, false, false},
                 {Kind::ReceivedPrivate, every, true, false},
                 {Kind::DepartureNotice, every, false, false},
                 {Kind::Sent, every, false, false},
                 {Kind::SentPrivate, every, false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(ArrivalSound::sounds(c.kind, c.hidden, c.options), c.sounds)
            << &c - cases << ": kind " << static_cast<int>(c.kind) << ", hidden " << c.hidden;
    }
}

TEST(ArrivalSoundTest, ABatchSoundsOnceWhateverItHolds) {
    const TChatOptions options; // private messages only
    ArrivalSound batch;
    batch.arrived(Kind::Received, false, options);
    EXPECT_FALSE(batch.takePending());
    for (int i = 0; i < 500; ++i) {
        batch.arrived(i % 2 == 0 ? Kind::ReceivedPrivate : Kind::Received, false, options);
    }
    EXPECT_TRUE(batch.takePending());
    EXPECT_FALSE(batch.takePending());
}

} // namespace
