#include "base/Calendar.h"
#include "base/NaturalOrder.h"
#include "model/CompanionModels.h"
#include "model/PurloAppInfo.h"
#include "model/PurloDiagnosticsSnapshot.h"
#include "model/PurloPrivacySignal.h"
#include "model/PurloSettings.h"
#include "model/PurloSettingsStore.h"
#include "tests/support/InMemoryKeyValueStore.h"
#include "tests/support/NestedJson.h"
#include "tests/support/TemporaryFolder.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

template <NamedEnum... E>
void expectRoundTrips() {
    const auto check = []<NamedEnum T>(T) {
        for (const T value : allCases<T>()) {
            const std::string raw(toString(value));
            std::string capitalised = raw;
            capitalised[0] = static_cast<char>(std::toupper(capitalised[0]));
            EXPECT_EQ(fromString<T>(raw), value) << raw;
            EXPECT_EQ(decodeValue<T>(Json(value)), value) << raw;
            EXPECT_FALSE(fromString<T>(" " + raw)) << raw;
            EXPECT_THROW(decodeValue<T>(Json(capitalised)), DecodeError) << raw;
        }
        EXPECT_FALSE(fromString<T>(""));
        EXPECT_THROW(decodeValue<T>(Json(3)), DecodeError);
    };
    (check(E{}), ...);
}

TEST(Enumerations, RawValuesRoundTripAndNothingElseDecodes) {
    expectRoundTrips<CatMood, CatPose, CompanionMessage::Kind, AgentEventKind, PomodoroPhase,
                     PurloPhrasePack, CatSkinPreset, CatPatternPreset, CatEyeColorPreset,
                     CatAccessoryPreset, CompanionPresenceMode, CompanionMovementMode,
                     CompanionScreenCorner>();
    EXPECT_EQ(fromString<CatMood>("Idle"), std::nullopt);
    for (const std::int64_t minutes : {15, 20, 30, 60}) {
        EXPECT_EQ(Json(decodeValue<PurloNapDuration>(Json(minutes))), Json(minutes));
    }
    EXPECT_THROW(decodeValue<PurloNapDuration>(Json(25)), DecodeError);
}

TEST(CompanionScene, EqualityLooksAtEveryFieldAndReadsTextsAsTheyAreRead) {
    CompanionScene scene;
    scene.message = CompanionMessage{"Jos\u00e9!", CompanionMessage::Kind::soft};
    scene.timerLabel = "F1 24:59 \u00b7 Zo\u00eb";
    // Texts typed with combining marks are the same texts; NaN is never equal, and a
    // butterfly at the origin is still a butterfly.
    const std::pair<void (*)(CompanionScene&), bool> changes[] = {
        {[](CompanionScene& s) { s.message->text = "Jose\u0301!"; }, true},
        {[](CompanionScene& s) { s.timerLabel = "F1 24:59 \u00b7 Zoe\u0308"; }, true},
        {[](CompanionScene& s) { s.position.x = 1; }, false},
        {[](CompanionScene& s) { s.position.y = std::nan(""); }, false},
        {[](CompanionScene& s) { s.mood = CatMood::curious; }, false},
        {[](CompanionScene& s) { s.pose = CatPose::hunt; }, false},
        {[](CompanionScene& s) { s.message->text = "Jose!"; }, false},
        {[](CompanionScene& s) { s.message->kind = CompanionMessage::Kind::happy; }, false},
        {[](CompanionScene& s) { s.message.reset(); }, false},
        {[](CompanionScene& s) { s.eyeOffset.height = -0.5; }, false},
        {[](CompanionScene& s) { s.scale = 1.1; }, false},
        {[](CompanionScene& s) { s.timerLabel = "F1 24:58 \u00b7 Zo\u00eb"; }, false},
        {[](CompanionScene& s) { s.timerLabel.reset(); }, false},
        {[](CompanionScene& s) { s.isVisible = false; }, false},
        {[](CompanionScene& s) { s.yawnProgress = 0.5; }, false},
        {[](CompanionScene& s) { s.butterflyPosition.emplace(); }, false}};
    for (std::size_t row = 0; row < std::size(changes); ++row) {
        CompanionScene changed = scene;
        changes[row].first(changed);
        EXPECT_EQ(changed == scene, changes[row].second) << "row " << row;
        EXPECT_EQ(scene == changed, changes[row].second) << "row " << row;
    }
}

TEST(ActiveAppSnapshot, CodingContextAndSourceDisplayName) {
    // A keyword anywhere in the name or identifier counts.
    for (const char* name : {"Xcode", "Precursory", "KIRO"}) {
        EXPECT_TRUE((ActiveAppSnapshot{name, std::nullopt}.isCodingContext())) << name;
    }
    EXPECT_TRUE((ActiveAppSnapshot{"Editor", "com.todesktop.cursor"}.isCodingContext()));
    EXPECT_FALSE((ActiveAppSnapshot{"Safari", "com.apple.Safari"}.isCodingContext()));
    EXPECT_FALSE((ActiveAppSnapshot{"Claud", std::nullopt}.isCodingContext()));
    const std::pair<std::string, std::string> sources[] = {
        {" Codex\n", "Codex"}, {"CLAUDE CODE", "Claude Code"}, {"claude-code", "Agent"},
        {"", "Agent"},         {"terminal", "Terminal"},       {"\u00A0purlo\u2028", "Purlo"}};
    for (const auto& [source, displayName] : sources) {
        AgentEventSnapshot event;
        event.source = source;
        EXPECT_EQ(event.sourceDisplayName(), displayName) << source;
    }
}

TEST(CompanionPresence, HidesCompanionOnlyForAnotherFrontmostApp) {
    using enum CompanionPresenceMode;
    EXPECT_FALSE(hidesCompanion(floatAboveApps, "org.gnome.Terminal", "purlo"));
    EXPECT_FALSE(hidesCompanion(desktopLevel, "org.gnome.Terminal", "purlo"));
    EXPECT_TRUE(hidesCompanion(autoHideWhenAppsActive, "firefox", std::nullopt));
    EXPECT_FALSE(hidesCompanion(autoHideWhenAppsActive, std::nullopt, "purlo"));
    for (const auto& [frontmost, hides] : {std::pair{"org.gnome.Terminal", true},
                                           {"com.apple.finder", false},
                                           {"com.apple.Finder", true},
                                           {"purlo", false},
                                           {"", false}}) {
        EXPECT_EQ(hidesCompanion(autoHideWhenAppsActive, frontmost, "purlo"), hides) << frontmost;
    }
}

std::optional<CatProfile> decodeProfile(const std::string& bytes) {
    return decodeBytes(bytes, [](const Json& json) { return decodeValue<CatProfile>(json); });
}

TEST(CatProfile, DecodesTolerantlyWithItsOwnFallbacks) {
    EXPECT_EQ(CatProfile::sanitizedName("  Mo  Bean \n"), "Mo  Bean");
    EXPECT_EQ(CatProfile::sanitizedName(" \n\t\u3000"), "Purlo");
    EXPECT_EQ(CatProfile::sanitizedName(""), "Purlo");
    EXPECT_EQ(decodeProfile(R"({"name":"Ébène"})"), (CatProfile{"ebene", "Ébène"}));
    EXPECT_EQ(decodeProfile(R"({"name":"STRAßE"})").value().id, "strasse");
    EXPECT_EQ(decodeProfile(R"({"name":null,"skin":null})"), (CatProfile{"purlo", "Purlo"}));
    EXPECT_EQ(decodeProfile(R"({"id":"","name":"Mochi"})"), (CatProfile{"", "Mochi"}));
    for (const auto& [stored, scale] :
         {std::pair{"0.5", 0.75}, {"1.5", 1.2}, {"0.9", 0.9}, {"0.75", 0.75}, {"1.2", 1.2}}) {
        const auto profile = decodeProfile(std::string(R"({"companionScale":)") + stored + "}");
        EXPECT_EQ(profile.value().companionScale, scale) << stored;
    }
    for (const char* bad :
         {R"({"pattern":"Stripes"})", R"({"name":7})", R"({"companionScale":"1"})", "[]"}) {
        EXPECT_FALSE(decodeProfile(bad)) << bad;
    }
}

TEST(CatProfile, SummaryRoundsTheClampedScale) {
    CatProfile profile = decodeProfile(R"({"skin":"calico","pattern":"stripes",)"
                                       R"("eyeColor":"honey","accessory":"bell"})")
                             .value();
    EXPECT_EQ(profile.summary(), "Calico stripes, Honey eyes, Bell, 100%, Soft");
    profile = decodeProfile(R"({"skin":"tuxedo","pattern":"tuxedo","eyeColor":"mint",)"
                            R"("companionScale":1.2,"phrasePack":"quiet"})")
                  .value();
    EXPECT_EQ(profile.summary(), "Tuxedo tuxedo, Mint eyes, no accessory, 120%, Quiet");
    for (const auto& [scale, percent] :
         {std::pair{0.805, "81%"}, {0.7, "75%"}, {1.5, "120%"}, {0.75, "75%"}}) {
        profile.companionScale = scale;
        EXPECT_NE(profile.summary().find(std::string(", ") + percent + ","), std::string::npos)
            << scale;
    }
}

TEST(PhrasePack, PlaceholdersAreFilledLiterally) {
    using enum PurloPhrasePack;
    EXPECT_EQ(stretchPhrase(soft, "   "), "stretch?");
    EXPECT_EQ(stretchPhrase(soft, "  Ada\n"), "stretch, Ada?");
    EXPECT_EQ(stretchPhrase(quiet, "Ada"), "Ada, stretch?");
    EXPECT_EQ(agentStartedPhrase(playful, "Codex"), "Codex is moving");
    EXPECT_EQ(agentStartedPhrase(soft, "  "), "agent started");
    EXPECT_EQ(sessionPhrase(focused, PhraseSlot::focusCompleted, 3), "session 3 complete");
    EXPECT_EQ(replacingAll("{name} and {name}", "{name}", "Ada"), "Ada and Ada");
    EXPECT_EQ(replacingAll("{Name}", "{name}", "Ada"), "{Name}");
    EXPECT_EQ(replacingAll("{name}", "{name}", "{name}{name}"), "{name}{name}");
    EXPECT_EQ(replacingAll("abc", "", "x"), "abc");
}

TEST(PurloNap, RemainingLabelRoundsUpAndSaturates) {
    const Date now{700000000};
    const double inf = std::numeric_limits<double>::infinity();
    const std::optional<std::string> none, far = "153722867280912930h 7m";
    const std::pair<double, std::optional<std::string>> cases[] = {
        {-1, none},   {0, none},       {0.001, "1m"},   {30, "1m"},   {61, "2m"}, {3541, "1h"},
        {3600, "1h"}, {3660, "1h 1m"}, {7500, "2h 5m"}, {1e300, far}, {inf, far}};
    for (const auto& [secondsLeft, label] : cases) {
        EXPECT_EQ(PurloNap{now.addingSeconds(secondsLeft)}.remainingLabel(now), label)
            << secondsLeft;
    }
    EXPECT_EQ(PurloNap{}.remainingLabel(now), std::nullopt);
    EXPECT_TRUE(PurloNap{PurloNap::distantFuture}.isIndefinite());
    EXPECT_FALSE(PurloNap{PurloNap::distantFuture.addingSeconds(-1)}.isIndefinite());
}

PurloDiagnosticsSnapshot sample(double rate, double longest, std::optional<double> memory,
                                double duration = 1.0) {
    return {rate, longest, longest, memory, duration, PurloDiagnosticsLevel::steady};
}

TEST(DiagnosticsSnapshot, SummariesRoundHalvesAwayFromZero) {
    EXPECT_EQ(sample(9.5, 0.104, 41.5).cadenceSummary(), "10 fps avg / 104 ms max");
    EXPECT_EQ(sample(10.49, 0.0004, 0.4).cadenceSummary(), "10 fps avg / 0 ms max");
    EXPECT_EQ(sample(10, 0.1, 0, 0).cadenceSummary(), "Collecting sample");
    EXPECT_EQ(sample(9.5, 0.104, 41.5).memorySummary(), "42 MB footprint");
    EXPECT_EQ(sample(10, 0.1, 0.4).memorySummary(), "0 MB footprint");
    EXPECT_EQ(sample(10, 0.1, std::nullopt).memorySummary(), "Unavailable");
}

TEST(AppInfo, ReadsNameVersionAndBuildWithTheirFallbacks) {
    const PurloAppInfo none{"Purlo", "Unavailable", "Unavailable"};
    const std::pair<std::string, PurloAppInfo> cases[] = {
        {R"({"CFBundleDisplayName":" Purlo Nightly\n","CFBundleName":"Cat",)"
         R"("CFBundleShortVersionString":" 1.2.0 ","CFBundleVersion":"\t42"})",
         {"Purlo Nightly", "1.2.0", "42"}},
        {R"({"CFBundleName":)", none}};
    testing::TemporaryFolder folder;
    for (const auto& [information, expected] : cases) {
        testing::writeFile(folder / "Info.json", information);
        EXPECT_EQ(PurloAppInfo(Bundle::fromExecutableFolder(folder.path())), expected)
            << information;
    }
    EXPECT_EQ(PurloAppInfo(Bundle::fromExecutableFolder(folder / "nowhere")), none);
}

Date utc(int year, unsigned month, unsigned day, int hour, int minute, int second = 0) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / month / day};
    return Date::fromSystemClock(date + hours{hour} + minutes{minute} + seconds{second});
}

Calendar calendarIn(std::string_view zone, std::string_view locale = "en_US") {
    return Calendar::inTimeZone(zone, locale).value();
}

ScheduledNapSchedule napAt(std::int64_t hour, std::int64_t minute, bool weekdaysOnly = false) {
    return {true, hour, minute, PurloNapDuration::twentyMinutes, weekdaysOnly, std::nullopt};
}

const Calendar utcZone = calendarIn("UTC");
const Calendar berlin = calendarIn("Europe/Berlin");
const Calendar newYork = calendarIn("America/New_York");
const Calendar israel = calendarIn("Asia/Jerusalem", "he_IL");

TEST(Calendar, MinuteOfDayDayKeyDayIndexAndWeekendFollowTheZoneAndLocale) {
    EXPECT_FALSE(Calendar::inTimeZone("Europe/Atlantis"));
    EXPECT_FALSE(Calendar::inTimeZone(""));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::tuple<Calendar, Date, std::int64_t, std::string> cases[] = {
        {utcZone, utc(2026, 3, 7, 23, 59, 59), 1439, "2026-03-07"},
        {berlin, utc(2026, 3, 7, 23, 30), 30, "2026-03-08"},
        {berlin, utc(2026, 3, 29, 1, 59), 3 * 60 + 59, "2026-03-29"}, // after the spring change
        {calendarIn("Asia/Kolkata"), utc(2026, 1, 1, 0, 0), 5 * 60 + 30, "2026-01-01"},
        {utcZone, Date{1e300}, 0, "0000-00-00"},
        {utcZone, Date{nan}, 0, "0000-00-00"}};
    for (const auto& [calendar, date, minute, dayKey] : cases) {
        EXPECT_EQ(calendar.minuteOfDay(date), minute) << dayKey;
        EXPECT_EQ(ScheduledNapSchedule::dayKey(date, calendar), dayKey) << minute;
    }
    const std::int64_t sunday = berlin.dayIndex(utc(2026, 3, 28, 23, 0)); // 23 hours long
    EXPECT_EQ(berlin.dayIndex(utc(2026, 3, 29, 21, 59)), sunday);
    EXPECT_EQ(berlin.dayIndex(utc(2026, 3, 29, 22, 10)), sunday + 1);
    EXPECT_EQ(utcZone.dayIndex(Date{1e300}), INT64_MAX);
    EXPECT_EQ(utcZone.dayIndex(Date{-1e300}), INT64_MIN);
    // Friday 6 to Monday 9 March 2026; Friday 23:30 in New York is Saturday in UTC.
    const std::tuple<Calendar, Date, bool> weekends[] = {
        {newYork, utc(2026, 3, 6, 17, 0), false}, {newYork, utc(2026, 3, 7, 17, 0), true},
        {newYork, utc(2026, 3, 8, 16, 0), true},  {newYork, utc(2026, 3, 9, 16, 0), false},
        {newYork, utc(2026, 3, 7, 4, 30), false}, {israel, utc(2026, 3, 6, 10, 0), true},
        {israel, utc(2026, 3, 7, 10, 0), true},   {israel, utc(2026, 3, 8, 10, 0), false}};
    for (const auto& [calendar, date, weekend] : weekends) {
        EXPECT_EQ(calendar.isWeekend(date), weekend) << date.unixSeconds();
    }
}

TEST(ScheduledNap, FireDateOnClockChangeDaysAndWeekdays) {
    // Clocks change in Berlin on 29 March and 25 October, in New York on 8 March and 1 November.
    const std::tuple<Calendar, Date, ScheduledNapSchedule, std::optional<Date>> cases[] = {
        {berlin, utc(2026, 3, 29, 9, 0), napAt(2, 30), utc(2026, 3, 29, 1, 0)},
        {berlin, utc(2026, 3, 29, 21, 0), napAt(15, 0), utc(2026, 3, 29, 13, 0)},
        {berlin, utc(2026, 10, 25, 12, 0), napAt(2, 30), utc(2026, 10, 25, 0, 30)},
        {newYork, utc(2026, 3, 8, 16, 0), napAt(2, 15), utc(2026, 3, 8, 7, 0)},
        {newYork, utc(2026, 11, 1, 16, 0), napAt(1, 30), utc(2026, 11, 1, 5, 30)},
        {newYork, utc(2026, 11, 1, 16, 0), napAt(23, 59), utc(2026, 11, 2, 4, 59)},
        {utcZone, utc(2026, 3, 6, 12, 0), napAt(31, 75), utc(2026, 3, 6, 23, 59)},
        {utcZone, utc(2026, 3, 6, 12, 0), napAt(-2, -5), utc(2026, 3, 6, 0, 0)},
        {utcZone, Date{1e300}, napAt(15, 0), std::nullopt},
        {newYork, utc(2026, 3, 6, 20, 0), napAt(15, 0, true), utc(2026, 3, 6, 20, 0)},
        {newYork, utc(2026, 3, 7, 20, 0), napAt(15, 0, true), std::nullopt},
        {newYork, utc(2026, 3, 7, 20, 0), napAt(15, 0), utc(2026, 3, 7, 20, 0)}};

    for (const auto& [calendar, day, schedule, fire] : cases) {
        EXPECT_EQ(schedule.fireDate(day, calendar), fire)
            << day.unixSeconds() << " " << schedule.hour << ":" << schedule.minute;
    }
}

using Completion = PurloCompletionStreak::Completion;
constexpr double day = 86400;
constexpr Date monday{794134800}; // 2 March 2026, 09:00 UTC

TEST(PurloCompletionStreak, CountsDaysInARowAndSaturates) {
    // Days of the wins after Monday, what the last did, the best run after it.
    const std::tuple<std::vector<double>, Completion, std::int64_t> cases[] = {
        {{0}, {1, 1, 1, true, true}, 1},
        {{0, 0.4}, {1, 1, 2, false, false}, 1},
        {{0, 1}, {2, 2, 2, true, true}, 2},
        {{0, 1, 3}, {1, 2, 3, true, false}, 2},
        {{0, 1, 3, 4, 5}, {3, 3, 5, true, true}, 3},
        {{0, 1, 2, 1}, {1, 3, 4, true, false}, 3}};
    for (const auto& [days, completion, best] : cases) {
        PurloCompletionStreak streak;
        Completion last;
        for (const double offset : days) {
            last = streak.recordCompletion(monday.addingSeconds(offset * day), utcZone);
        }
        EXPECT_EQ(last, completion) << days.size() << " wins, the last on day " << days.back();
        EXPECT_EQ(streak.bestDayCount, best) << days.back();
        EXPECT_EQ(streak.totalCompletions, static_cast<std::int64_t>(days.size()));
        EXPECT_EQ(streak.lastCompletionAt, monday.addingSeconds(days.back() * day));
    }
    const std::int64_t today = utcZone.dayIndex(monday);
    const std::pair<PurloCompletionStreak, Completion> stored[] = {
        // A second win of the day revives an emptied run but is no new day.
        {{0, 0, 7, today, std::nullopt}, {1, 1, 8, false, false}},
        {{INT64_MAX, INT64_MAX, INT64_MAX, today - 1, std::nullopt},
         {INT64_MAX, INT64_MAX, INT64_MAX, true, false}},
        {{5, 5, 5, INT64_MAX, std::nullopt}, {1, 5, 6, true, false}}};
    for (auto [streak, completion] : stored) {
        EXPECT_EQ(streak.recordCompletion(monday, utcZone), completion) << streak.totalCompletions;
        EXPECT_EQ(streak.lastCompletionDay, today);
    }
}

TEST(QuietHours, BoundariesWrappingEqualAndClamped) {
    // The start minute is in, the end minute out; hours and minutes are clamped.
    const std::tuple<QuietHoursSchedule, std::int64_t, bool> cases[] = {
        {{true, 22, 7}, 1319, false}, {{true, 22, 7}, 1320, true}, {{true, 22, 7}, 0, true},
        {{true, 22, 7}, 419, true},   {{true, 22, 7}, 420, false}, {{true, 9, 17}, 539, false},
        {{true, 9, 17}, 540, true},   {{true, 9, 17}, 1019, true}, {{true, 9, 17}, 1020, false},
        {{true, 5, 5}, 1439, true},   {{false, 5, 5}, 600, false}, {{true, 30, 7}, 1379, false},
        {{true, 30, 7}, 1380, true},  {{true, -3, 7}, 0, true},    {{true, 9, 23}, 5000, false},
        {{true, 22, 7}, 5000, true},  {{true, 1, 7}, -10, false},  {{true, 0, 7}, INT64_MIN, true}};
    for (const auto& [quiet, minute, active] : cases) {
        PurloSettings settings;
        settings.quietHours = quiet;
        EXPECT_EQ(settings.isQuietHoursActive(minute), active)
            << quiet.startHour << "-" << quiet.endHour << " at " << minute;
    }
}

std::optional<PurloSettings> decode(std::string_view bytes) {
    return decodeBytes(bytes, [](const Json& json) { return decodeValue<PurloSettings>(json); });
}

PurloSettings decoded(std::string_view bytes) {
    const auto settings = decode(bytes);
    EXPECT_TRUE(settings) << bytes;
    return settings.value_or(PurloSettings{});
}

// Every key, none at its default; numbers out of range are kept as stored.
constexpr std::string_view unusual = R"({"eyeTrackingEnabled":false,"reactionsEnabled":false,
    "typingReactionsEnabled":false,"activeAppAwarenessEnabled":false,
    "localAgentBridgeEnabled":false,"hasCompletedFirstRunOnboarding":true,
    "nap":{"until":795000000.25},"stretchReminderMinutes":-3,"habitReminders":[{"enabled":true,
    "id":"custom-1","interval":25,"message":"brew tea? ☕","title":"Tea"}],"completionStreak":
    {"bestDayCount":9,"currentDayCount":4,"lastCompletionAt":794999999.5,"lastCompletionDay":739000,
    "totalCompletions":31},"kindNudgeMinutes":9223372036854775807,
    "pomodoroFocusMinutes":-9223372036854775808,"pomodoroBreakMinutes":0,
    "reactionIntensity":0.30000000000000004,"skin":"midnight","pattern":"socks","eyeColor":"violet",
    "accessory":"tie","companionScale":1e-300,"phrasePack":"quiet","quietHours":{"enabled":true,
    "endHour":40,"startHour":-1},"scheduledNap":{"duration":60,"enabled":true,"hour":31,
    "lastFiredDay":"2026-03-07","minute":-2,"weekdaysOnly":false},"userName":"Zoë",
    "companionName":"  ","pinnedMessage":"back at 3\n","savedCatProfiles":[{"id":"mochi",
    "name":"Mochi","skin":"gray","pattern":"mask","eyeColor":"sky","accessory":"scarf",
    "companionScale":0.8,"phrasePack":"focused"}],"companionPresenceMode":"autoHideWhenAppsActive",
    "companionMovementMode":"stayPut","companionEdgePadding":500,
    "companionPlacement":{"x":-120.5,"y":33.25}})";

TEST(PurloSettingsCoding, EveryFieldRoundTripsUnderItsKeyAndMissingKeysTakeTheDefaults) {
    const PurloSettings settings = decoded(unusual);
    EXPECT_EQ(Json(settings), Json::parse(unusual));
    for (const PurloSettings& value : {PurloSettings{}, settings}) {
        EXPECT_EQ(decode(encodeBytes(Json(value)).value()), value);
    }
    EXPECT_EQ(decoded("{}"), PurloSettings{});
    EXPECT_EQ(decoded(R"({"unknownKey":[1,2],"nap":null,"quietHours":null})"), PurloSettings{});
    EXPECT_EQ(
        decoded(R"({"scheduledNap":{"enabled":true}})").scheduledNap,
        (ScheduledNapSchedule{true, 15, 0, PurloNapDuration::twentyMinutes, true, std::nullopt}));
    // A duration nobody can choose falls back to twenty minutes instead of failing.
    for (const char* duration : {"25", "\"15\"", "15.5", "null", "[]"}) {
        const std::string json = std::string(R"({"scheduledNap":{"duration":)") + duration + "}}";
        EXPECT_EQ(decoded(json).scheduledNap.duration, PurloNapDuration::twentyMinutes) << json;
    }
    const auto nulls =
        decoded(R"({"companionPlacement":null,"completionStreak":{"currentDayCount":2,)"
                R"("bestDayCount":5,"totalCompletions":9,"lastCompletionDay":null}})");
    EXPECT_EQ(nulls.completionStreak, (PurloCompletionStreak{2, 5, 9, {}, {}}));
    EXPECT_FALSE(nulls.companionPlacement);
}

// Each key of changed, set alone on base, gives a value unequal to base's: equality
// leaves no field out.
template <typename T>
void expectEveryFieldCounts(const Json& base, const Json& changed) {
    const T original = decodeValue<T>(base);
    for (const auto& [key, value] : changed.items()) {
        Json one = base;
        one[key] = value;
        EXPECT_NE(decodeValue<T>(one), original) << key;
    }
}

TEST(PurloSettings, EveryFieldCountsAndTextsAreEqualAsTheyAreRead) {
    const Json changed = Json::parse(unusual);
    expectEveryFieldCounts<PurloSettings>(Json::object(), changed);
    expectEveryFieldCounts<CatProfile>(Json::object(), changed["savedCatProfiles"][0]);
    expectEveryFieldCounts<PurloHabitReminder>(Json(PurloSettings::builtInHabitReminders()[0]),
                                               changed["habitReminders"][0]);

    // Every text typed with combining marks equals the same text typed composed.
    PurloSettings composed, decomposed;
    for (auto [settings, text] : {std::pair{&composed, "Zo\u00eb Jos\u00e9"},
                                  std::pair{&decomposed, "Zoe\u0308 Jose\u0301"}}) {
        settings->userName = settings->companionName = settings->pinnedMessage = text;
        settings->habitReminders[3].title = settings->habitReminders[3].message = text;
        settings->savedCatProfiles = {{text, text}};
    }
    EXPECT_EQ(composed, decomposed);
}

TEST(PurloSettingsCoding, LegacyKeysAndStoredListsDecodeAsTheyDid) {
    for (const auto& [json, eyeTracking] :
         {std::pair{R"({"followsCursor":false})", false},
          {R"({"followsCursor":false,"eyeTrackingEnabled":true})", true},
          {R"({"followsCursor":true,"eyeTrackingEnabled":false})", false},
          {R"({"followsCursor":null})", true}}) {
        EXPECT_EQ(decoded(json).eyeTrackingEnabled, eyeTracking) << json;
    }
    EXPECT_FALSE(Json(decoded(R"({"followsCursor":false})")).contains("followsCursor"));
    EXPECT_FALSE(decode(R"({"followsCursor":"no","eyeTrackingEnabled":true})"));
    // Any "skin" key, even a null one, makes the classic coat and cocoa eyes the fallbacks.
    using enum CatSkinPreset;
    using Pattern = CatPatternPreset;
    using Eyes = CatEyeColorPreset;
    const std::tuple<std::string, CatSkinPreset, CatPatternPreset, CatEyeColorPreset> looks[] = {
        {"{}", tuxedo, Pattern::tuxedo, Eyes::honey},
        {R"({"skin":"orange"})", orange, Pattern::classic, Eyes::cocoa},
        {R"({"skin":null})", tuxedo, Pattern::classic, Eyes::cocoa},
        {R"({"skin":"orange","pattern":"spots"})", orange, Pattern::spots, Eyes::cocoa},
        {R"({"pattern":null,"eyeColor":"mint"})", tuxedo, Pattern::tuxedo, Eyes::mint}};
    for (const auto& [json, skin, pattern, eyeColor] : looks) {
        const PurloSettings settings = decoded(json);
        EXPECT_EQ(std::tuple(settings.skin, settings.pattern, settings.eyeColor),
                  std::tuple(skin, pattern, eyeColor))
            << json;
    }
    // A stored reminder list, even an empty one, replaces the built-ins.
    EXPECT_TRUE(decoded(R"({"habitReminders":[]})").habitReminders.empty());
    EXPECT_EQ(decoded(R"({"habitReminders":null})").habitReminders,
              PurloSettings::builtInHabitReminders());
    EXPECT_EQ(decoded(R"({"habitReminders":[{"id":"custom-1","title":"T","message":"m",)"
                      R"("interval":5,"enabled":true}]})")
                  .habitReminders,
              (std::vector<PurloHabitReminder>{{"custom-1", "T", "m", 5, true}}));
}

TEST(PurloSettingsCoding, AWrongTypeAnywhereFailsTheWholeValue) {
    for (const char* json :
         {"[]", R"({"reactionsEnabled":1})", R"({"stretchReminderMinutes":45.5})",
          R"({"kindNudgeMinutes":9223372036854775808})", R"({"userName":7})",
          R"({"companionPresenceMode":"FloatAboveApps"})", R"({"nap":{"until":"tomorrow"}})",
          R"({"habitReminders":{}})", R"({"phrasePack":1})",
          R"({"quietHours":{"enabled":true,"startHour":22}})", R"({"reactionIntensity":"high"})",
          R"({"completionStreak":{"currentDayCount":1,"bestDayCount":1}})",
          R"({"scheduledNap":{"lastFiredDay":20260307}})", R"({"skin":"Orange"})",
          R"({"savedCatProfiles":[{"pattern":"Stripes"}]})", R"({"companionPlacement":{"x":120}})",
          R"({"completionStreak":{"currentDayCount":1,"bestDayCount":1,"totalCompletions":1,)"
          R"("lastCompletionDay":1.5}})",
          R"({"habitReminders":[{"id":"w","title":"W","message":"m","intervalMinutes":9,)"
          R"("enabled":true}]})"}) {
        EXPECT_FALSE(decode(json)) << json;
    }
}

std::vector<std::string> namesOf(const std::vector<CatProfile>& profiles) {
    std::vector<std::string> names;
    for (const CatProfile& profile : profiles) {
        names.push_back(profile.name);
    }
    return names;
}

TEST(PurloSettingsOperations, TrimmedTextsAndTheNudgeLabel) {
    PurloSettings settings;
    settings.pinnedMessage = " \n\t\u2028\u3000";
    EXPECT_EQ(settings.trimmedPinnedMessage(), std::nullopt);
    settings.pinnedMessage = "  hi there \n";
    EXPECT_EQ(settings.trimmedPinnedMessage(),
              (CompanionMessage{"hi there", CompanionMessage::Kind::soft}));
    for (const std::int64_t off : {0, -5}) {
        settings.kindNudgeMinutes = off;
        EXPECT_EQ(settings.kindNudgeLabel(), "Off") << off;
    }
    using Shown = std::pair<std::int64_t, int>;
    for (const auto& [minutes, shown] :
         {Shown{1, 30}, {45, 45}, {120, 120}, {500, 240}, {INT64_MAX, 240}}) {
        settings.kindNudgeMinutes = minutes;
        EXPECT_EQ(settings.kindNudgeLabel(), "Every " + std::to_string(shown) + " minutes");
    }
}

TEST(PurloSettingsOperations, HabitRemindersActiveAndRemovable) {
    PurloSettings settings;
    settings.habitReminders[0].enabled = true;
    settings.habitReminders[1].enabled = true;
    settings.habitReminders[1].message = " \n";
    settings.habitReminders.push_back({"custom-7", "Tea", "tea?", 30, true});
    settings.habitReminders.push_back({"custom-7", "Tea", "tea?", 30, false});
    const auto active = settings.activeHabitReminders();
    ASSERT_EQ(active.size(), 2u);
    EXPECT_EQ(active[0].id, "water");
    EXPECT_EQ(active[1].id, "custom-7");

    // Only "custom" and "custom-..." go, every copy of the id at once.
    for (const char* kept : {"water", "customer", "Custom", "custom-8"}) {
        settings.removeCustomHabitReminder(kept);
        EXPECT_EQ(settings.habitReminders.size(), 6u) << kept;
    }
    settings.removeCustomHabitReminder("custom-7");
    settings.removeCustomHabitReminder("custom");
    ASSERT_EQ(settings.habitReminders.size(), 3u);
    EXPECT_EQ(settings.habitReminders.back().id, "eyes");
}

TEST(ScheduledNap, OverlapsQuietHoursAtItsClampedMinute) {
    const QuietHoursSchedule night{true, 22, 7};
    const std::tuple<std::int64_t, std::int64_t, QuietHoursSchedule, bool> cases[] = {
        {22, 30, night, true},         {6, 59, night, true},          {7, 0, night, false},
        {15, 0, {false, 0, 0}, false}, {15, 0, {true, 9, 9}, true},   {40, 90, night, true},
        {13, 0, {true, 12, 14}, true}, {14, 0, {true, 12, 14}, false}};
    for (const auto& [hour, minute, quiet, overlaps] : cases) {
        ScheduledNapSchedule nap;
        nap.hour = hour;
        nap.minute = minute;
        EXPECT_EQ(nap.overlapsQuietHours(quiet), overlaps) << hour << ":" << minute;
    }
}

TEST(PurloSettingsOperations, SavedLooksReplaceTheSameIdentityAndSortNaturally) {
    const NaturalOrder english("en_US");
    PurloSettings settings =
        decoded(R"({"skin":"orange","pattern":"spots","eyeColor":"mint",)"
                R"("accessory":"bell","phrasePack":"playful","companionScale":2})");
    settings.saveCurrentLookAsProfile("Mochi", english);
    EXPECT_EQ(settings.savedCatProfiles,
              (std::vector<CatProfile>{{"mochi", "Mochi", CatSkinPreset::orange,
                                        CatPatternPreset::spots, CatEyeColorPreset::mint,
                                        CatAccessoryPreset::bell, 1.2, PurloPhrasePack::playful}}));
    settings.companionScale = 0.5;
    settings.saveCurrentLookAsProfile("  MOCHI \n", english);
    EXPECT_EQ(namesOf(settings.savedCatProfiles), std::vector<std::string>{"MOCHI"});
    EXPECT_EQ(settings.savedCatProfiles[0].companionScale, 0.75);
    for (const char* name : {"MÓCHI", "Éclair", "Eclair", " \n ", "Zed", "Mochi 10", "Mochi 9"}) {
        settings.saveCurrentLookAsProfile(name, english);
    }
    EXPECT_EQ(namesOf(settings.savedCatProfiles),
              (std::vector<std::string>{"Eclair", "MÓCHI", "Mochi 9", "Mochi 10", "Purlo", "Zed"}));
    EXPECT_EQ(settings.savedCatProfiles[1].id, "mochi");
    // A list stored out of order is sorted by the next save; equal names keep their order.
    settings.savedCatProfiles = {{"b2", "beta"}, {"z", "Zulu"}, {"b1", "BETA"}};
    settings.saveCurrentLookAsProfile("alpha", english);
    EXPECT_EQ(namesOf(settings.savedCatProfiles),
              (std::vector<std::string>{"alpha", "beta", "BETA", "Zulu"}));
}

using enum PurloSettingsLoadResult::Recovery;
using testing::InMemoryKeyValueStore;

std::string envelope(const PurloSettings& settings) {
    return encodeSettingsEnvelope(settings).value();
}

struct Keys {
    std::optional<std::string> primary{}, backup{}, corrupt{};
};

InMemoryKeyValueStore storeHolding(const Keys& keys) {
    InMemoryKeyValueStore store;
    for (const auto& [key, bytes] : {std::pair{purloSettingsKey, keys.primary},
                                     {purloSettingsBackupKey, keys.backup},
                                     {purloSettingsCorruptKey, keys.corrupt}}) {
        if (bytes) {
            store.values.emplace(key, *bytes);
        }
    }
    return store;
}

void expectKeys(const InMemoryKeyValueStore& store, const Keys& keys, const std::string& name) {
    EXPECT_EQ(store.data(purloSettingsKey), keys.primary) << name << ": primary";
    EXPECT_EQ(store.data(purloSettingsBackupKey), keys.backup) << name << ": backup";
    EXPECT_EQ(store.data(purloSettingsCorruptKey), keys.corrupt) << name << ": corrupt";
}

TEST(PurloSettingsStore, LoadAndSaveRecoveryTable) {
    const PurloSettings none, cat = decoded(R"({"skin":"orange"})"),
                              miso = decoded(R"({"companionName":"Miso"})");
    const std::string bad = "not json {", legacy = R"({"skin": "orange", "unknown": 1})";
    const std::string orange = envelope(cat), plain = envelope(none);
    EXPECT_TRUE(plain.starts_with(R"({"schemaVersion":1,"settings":{"accessory":"none",)"))
        << plain;
    EXPECT_EQ(plain.find("\": "), std::string::npos) << "compact";
    const std::string cut = R"({"schemaVersion":1,)", v1 = R"({"schemaVersion":1})";
    const std::string v7 = R"({"schemaVersion":7,"settings":{"skin":"orange"}})";
    const std::string badLook =
        R"({"schemaVersion":1,"settings":{"savedCatProfiles":[{"pattern":"Stripes"}]}})";
    const std::string v1null = R"({"schemaVersion":1,"settings":null})";
    const std::string noVersion = R"({"settings":{}})";
    // Objects that name nothing the settings hold: another program's, or an emptied file.
    const std::string empty = "{}", foreign = R"({"theme":"dark","fontSize":12})";
    const std::string oldEyes = R"({"followsCursor":false})",
                      oldMiso = R"({"companionName":"Miso"})";
    struct Row {
        std::string name;
        Keys before;
        std::optional<PurloSettings> saved; // a save instead of a load
        PurloSettingsLoadResult loaded;
        Keys after;
    };
    const Row rows[] = {
        {"nothing stored", {}, {}, {none, clean}, {}},
        {"clean envelope", {orange, bad}, {}, {cat, clean}, {orange, bad}},
        {"any integer version", {v7}, {}, {cat, clean}, {v7}},
        {"legacy bare object", {legacy}, {}, {cat, migratedLegacyPayload}, {orange, legacy}},
        {"legacy over an older legacy backup",
         {legacy, oldMiso},
         {},
         {cat, migratedLegacyPayload},
         {orange, legacy}},
        {"legacy never replaces current settings in the backup",
         {legacy, envelope(miso)},
         {},
         {cat, migratedLegacyPayload},
         {orange, envelope(miso)}},
        {"only the former eye-tracking key",
         {oldEyes},
         {},
         {decoded(oldEyes), migratedLegacyPayload},
         {envelope(decoded(oldEyes)), oldEyes}},
        {"empty object, backup",
         {empty, orange},
         {},
         {cat, restoredBackup},
         {orange, orange, empty}},
        {"foreign object, backup",
         {foreign, orange},
         {},
         {cat, restoredBackup},
         {orange, orange, foreign}},
        {"empty object, no backup", {empty}, {}, {none, resetToDefault}, {plain, {}, empty}},
        {"bad, backup", {bad, orange}, {}, {cat, restoredBackup}, {orange, orange, bad}},
        {"bad, no backup", {bad}, {}, {none, resetToDefault}, {plain, {}, bad}},
        {"bad, damaged backup", {bad, cut}, {}, {none, resetToDefault}, {plain, cut, bad}},
        {"bad look", {badLook, orange}, {}, {cat, restoredBackup}, {orange, orange, badLook}},
        {"version, no settings", {v1, orange}, {}, {cat, restoredBackup}, {orange, orange, v1}},
        {"null settings", {v1null}, {}, {none, resetToDefault}, {plain, {}, v1null}},
        {"no version", {noVersion}, {}, {none, resetToDefault}, {plain, {}, noVersion}},
        {"junk after a zero byte",
         {orange + '\0' + "junk", envelope(miso)},
         {},
         {miso, restoredBackup},
         {envelope(miso), envelope(miso), orange + '\0' + "junk"}},
        {"save changing nothing", {orange, bad, bad}, cat, {}, {orange, bad, {}}},
        {"save of a change", {orange, bad, bad}, miso, {}, {envelope(miso), orange, {}}},
        {"save over damage", {bad, orange, bad}, miso, {}, {envelope(miso), orange, {}}},
        {"first save", {{}, bad}, cat, {}, {orange, bad, {}}}};
    for (const auto& row : rows) {
        InMemoryKeyValueStore store = storeHolding(row.before);
        if (row.saved) {
            EXPECT_FALSE(PurloSettings::save(*row.saved, store)) << row.name;
        } else {
            EXPECT_EQ(PurloSettings::load(store), row.loaded) << row.name;
            if (row.loaded.recovery == clean) {
                EXPECT_EQ(store.writeCount, 0) << row.name;
            }
        }
        expectKeys(store, row.after, row.name);
    }
}

TEST(PurloSettingsStore, BytesNestedTooDeepAreRecoveredFromTheBackup) {
    using testing::withNesting;
    const PurloSettings cat = decoded(R"({"skin":"orange"})");
    const std::string orange = envelope(cat);
    std::string objects;
    for (int level = 0; level < 50'000; ++level) {
        objects += R"({"a":)";
    }
    objects += "0" + std::string(50'000, '}');
    const std::pair<std::string, PurloSettingsLoadResult> rows[] = {
        {withNesting(orange, maximumJsonDepth), {cat, clean}},
        {withNesting(orange, maximumJsonDepth + 1), {cat, restoredBackup}},
        {withNesting("{}", 50'000), {cat, restoredBackup}},
        {objects, {cat, restoredBackup}},
    };
    for (const auto& [primary, loaded] : rows) {
        InMemoryKeyValueStore store = storeHolding({primary, orange});
        EXPECT_EQ(PurloSettings::load(store), loaded) << primary.substr(0, 40);
    }
}

TEST(PurloSettingsStore, WhatCannotBeEncodedOrWrittenChangesNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    std::vector<PurloSettings> unencodable(4);
    unencodable[0].reactionIntensity = nan;
    unencodable[1].companionPlacement = CompanionPlacement{infinity, 0};
    unencodable[2].nap.until = Date{infinity};
    unencodable[3].userName = "\xff\xfe";
    for (const PurloSettings& settings : unencodable) {
        InMemoryKeyValueStore store = storeHolding({"old", "older", "bad"});
        EXPECT_EQ(PurloSettings::save(settings, store), std::errc::invalid_argument);
        EXPECT_EQ(store.writeCount, 0);
        expectKeys(store, {"old", "older", "bad"}, "unencodable");
    }
    const PurloSettings cat = decoded(R"({"skin":"orange"})");
    for (const std::string_view failing : {purloSettingsKey, purloSettingsBackupKey}) {
        InMemoryKeyValueStore store = storeHolding({envelope(cat), "older", "bad"});
        store.failingKeys.emplace(failing);
        EXPECT_EQ(PurloSettings::save(PurloSettings{}, store), std::errc::no_space_on_device)
            << failing;
        EXPECT_EQ(store.data(purloSettingsKey), envelope(cat)) << failing;
        EXPECT_EQ(store.data(purloSettingsCorruptKey), "bad") << failing;
    }
    // A migration that cannot be written still loads.
    InMemoryKeyValueStore store = storeHolding({R"({"skin":"orange"})"});
    store.failingKeys.emplace(purloSettingsKey);
    EXPECT_EQ(PurloSettings::load(store), (PurloSettingsLoadResult{cat, migratedLegacyPayload}));
    EXPECT_EQ(store.data(purloSettingsKey), R"({"skin":"orange"})");
}

TEST(PurloSettingsStore, AFolderAtTheSettingsPlaceGoesAsideOnlyAsTheyComeIn) {
    const PurloSettings cat = decoded(R"({"skin":"orange"})"),
                        miso = decoded(R"({"companionName":"Miso"})");
    const std::string orange = envelope(cat);
    const auto full = std::make_error_code(std::errc::no_space_on_device);
    const std::tuple<std::string, std::optional<PurloSettings>, bool, Keys> rows[] = {
        {"load", {}, false, {orange, orange, {}}},
        {"load, disk full", {}, true, {{}, orange, "bad"}},
        {"save", miso, false, {envelope(miso), orange, {}}},
        {"save, disk full", miso, true, {{}, orange, "bad"}},
    };
    for (const auto& [name, saved, diskFull, after] : rows) {
        InMemoryKeyValueStore store = storeHolding({{}, orange, "bad"});
        store.unreadableKeys.emplace(purloSettingsKey);
        if (diskFull) {
            store.failingKeys.emplace(purloSettingsKey);
        }
        if (saved) {
            EXPECT_EQ(PurloSettings::save(*saved, store), diskFull ? full : std::error_code())
                << name;
        } else {
            EXPECT_EQ(PurloSettings::load(store), (PurloSettingsLoadResult{cat, restoredBackup}))
                << name;
        }
        expectKeys(store, after, name);
        // On a full disk nothing moves; otherwise the folder went aside, and stays there.
        EXPECT_TRUE(
            store.unreadableKeys.contains(diskFull ? purloSettingsKey : purloSettingsCorruptKey))
            << name;
    }
}

using Signal = PurloPrivacySignal;
using enum PurloPrivacySignal::Kind;
using enum PurloPrivacySignal::State;

struct Rest {
    bool nap, quietHours, granted = true;
};

// The six rows in their order.
std::vector<Signal> signalsOf(const PurloSettings& settings, Rest rest) {
    return {Signal::cursorAttentionSignal(settings, rest.nap, rest.quietHours),
            Signal::typingRhythmSignal(settings, rest.nap, rest.quietHours, rest.granted),
            Signal::appContextSignal(settings, rest.nap, rest.quietHours),
            Signal::localAgentBridgeSignal(settings, rest.nap),
            Signal::motivationSignal(settings, rest.nap, rest.quietHours),
            Signal::privateContentSignal()};
}

TEST(PurloPrivacySignal, EachRowSaysWhatItObservesNow) {
    const Rest awake{false, false}, nap{true, false}, quiet{false, true},
        ungranted{true, false, false};
    const Signal::Kind cursor = cursorAttention, keys = typingRhythm, app = appContext,
                       bridge = localAgentBridge, nudging = motivation, privacy = privateContent;
    // The support report shows the same percentage and checks its rounding at the edges.
    const std::string eyesQuiet = "Eyes and in-place cursor play are quiet right now.";
    const std::string react = "Eyes can look toward the cursor and react in place at ";
    const std::string keysPaused = "Keypress timing reactions are paused.";
    const std::string appQuiet = "Active app context is not sampled while Purlo is quiet.";
    const std::string notice = "Purlo can notice app name and bundle identifier";
    const std::string both = notice + " for developer-tool awareness and auto-hide.";
    const std::string available =
        "Stretch, habit, kind, focus, and small-win nudges are available.";
    const auto nudges = [](int stretch, int kind, int focus, const std::string& reminders) {
        return R"({"stretchReminderMinutes":)" + std::to_string(stretch) +
               R"(,"kindNudgeMinutes":)" + std::to_string(kind) + R"(,"pomodoroFocusMinutes":)" +
               std::to_string(focus) + R"(,"habitReminders":)" + reminders + "}";
    };
    const std::string blank = R"({"id":"c","title":"B","message":" ","interval":3,"enabled":true})";
    const std::string water =
        R"({"id":"w","title":"W","message":"sip","interval":3,"enabled":true})";
    const std::string autoHide = R"({"companionPresenceMode":"autoHideWhenAppsActive")";
    const std::tuple<Signal::Kind, std::string, Rest, Signal::State, std::string> rows[] = {
        {cursor, "{}", nap, paused, eyesQuiet},
        {cursor, R"({"reactionsEnabled":false})", quiet, paused, eyesQuiet},
        {cursor, R"({"reactionsEnabled":false})", awake, active,
         "Eyes can look toward the cursor; body stays anchored."},
        {cursor, "{}", awake, active, react + "72%."},
        {cursor, R"({"eyeTrackingEnabled":false,"reactionsEnabled":false})", nap, off,
         "Eyes and in-place cursor play are disabled."},
        {cursor, R"({"eyeTrackingEnabled":false})", awake, active,
         "Fast cursor movement can trigger in-place play at 72%."},
        {keys, R"({"typingReactionsEnabled":false})", ungranted, off,
         "Typing rhythm reactions are disabled."},
        {keys, "{}", ungranted, needsPermission,
         "Input Monitoring is needed before keypress timing can be counted."},
        {keys, "{}", nap, paused, keysPaused},
        {keys, "{}", quiet, paused, keysPaused},
        {keys, "{}", awake, active,
         "Only timing is counted; typed text is never read. Intensity 72%."},
        {app, "{}", nap, paused, appQuiet},
        {app, R"({"companionPresenceMode":"desktopLevel"})", quiet, paused, appQuiet},
        {app, autoHide + "}", nap, active, both},
        {app, "{}", awake, active, notice + "."},
        {app, autoHide + R"(,"activeAppAwarenessEnabled":false})", quiet, active,
         notice + " only to hide while another app is frontmost."},
        {app, R"({"activeAppAwarenessEnabled":false})", awake, off,
         "Developer-tool awareness is disabled."},
        {bridge, "{}", quiet, active,
         "Explicit short local status events can change Purlo's mood; do not include prompts, "
         "code, or output."},
        {bridge, "{}", nap, paused, "Local agent events are paused while Purlo naps."},
        {bridge, R"({"localAgentBridgeEnabled":false})", nap, off,
         "Local agent events are ignored."},
        {nudging, nudges(0, 0, 0, "[" + blank + "]"), awake, off,
         "Motivation nudges are disabled."},
        {nudging, nudges(-5, -1, 0, "[]"), nap, off, "Motivation nudges are disabled."},
        {nudging, nudges(0, 0, 25, "[]"), awake, active, available},
        {nudging, nudges(0, 0, 25, "[]"), quiet, paused, "Reminders are quiet right now."},
        {nudging, nudges(1, 0, 0, "[]"), awake, active, available},
        {nudging, nudges(0, 1, 0, "[]"), nap, paused, "Reminders are quiet right now."},
        {nudging, nudges(0, 0, 0, "[" + blank + "," + water + "]"), awake, active, available},
        {privacy, "{}", awake, never,
         "No screenshots, messages, documents, prompts, code, terminal output, browser contents, "
         "full paths, license keys, or typed content are captured."}};
    for (const auto& [kind, settings, rest, state, detail] : rows) {
        EXPECT_EQ(signalsOf(decoded(settings), rest).at(static_cast<std::size_t>(kind)),
                  (Signal{kind, state, detail}))
            << toString(kind) << " " << settings << " " << rest.nap << rest.quietHours;
    }
    EXPECT_EQ(reactionIntensityPercentage(std::nan("")), "10%") << "no number reads as the least";
}

} // namespace
} // namespace purlo
