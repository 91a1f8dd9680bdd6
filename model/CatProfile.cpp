#include "model/CatProfile.h"

#include "base/UnicodeText.h"

#include <algorithm>
#include <cmath>

namespace purlo {

std::string CatProfile::sanitizedName(std::string_view name) {
    std::string trimmed = trimmedWhitespace(name);
    return trimmed.empty() ? std::string("Purlo") : trimmed;
}

std::string CatProfile::identifier(std::string_view name) {
    return foldedCaseAndDiacritics(sanitizedName(name));
}

double CatProfile::clampedScale(double scale) {
    if (scale <= minimumScale) {
        return minimumScale;
    }
    return scale > maximumScale ? maximumScale : scale;
}

long CatProfile::scalePercent(double scale) {
    return scale <= minimumScale ? 75 : std::lround(std::min(scale, maximumScale) * 100.0);
}

std::string CatProfile::summary() const {
    const std::string accessoryText = accessory == CatAccessoryPreset::none
                                          ? std::string("no accessory")
                                          : std::string(title(accessory));
    return std::string(title(skin)) + " " + lowercased(title(pattern)) + ", " +
           std::string(title(eyeColor)) + " eyes, " + accessoryText + ", " +
           std::to_string(scalePercent(companionScale)) + "%, " + std::string(title(phrasePack));
}

bool operator==(const CatProfile& left, const CatProfile& right) {
    return canonicallyEqual(left.id, right.id) && canonicallyEqual(left.name, right.name) &&
           left.skin == right.skin && left.pattern == right.pattern &&
           left.eyeColor == right.eyeColor && left.accessory == right.accessory &&
           left.companionScale == right.companionScale && left.phrasePack == right.phrasePack;
}

void to_json(Json& json, const CatProfile& profile) {
    json = Json{{"id", profile.id},
                {"name", profile.name},
                {"skin", profile.skin},
                {"pattern", profile.pattern},
                {"eyeColor", profile.eyeColor},
                {"accessory", profile.accessory},
                {"companionScale", profile.companionScale},
                {"phrasePack", profile.phrasePack}};
}

void from_json(const Json& json, CatProfile& profile) {
    const JsonFields fields(json);
    profile.name = CatProfile::sanitizedName(fields.value<std::string>("name", "Purlo"));
    profile.id = fields.value<std::string>("id", CatProfile::identifier(profile.name));
    profile.skin = fields.value("skin", CatSkinPreset::calico);
    profile.pattern = fields.value("pattern", CatPatternPreset::classic);
    profile.eyeColor = fields.value("eyeColor", CatEyeColorPreset::cocoa);
    profile.accessory = fields.value("accessory", CatAccessoryPreset::none);
    profile.companionScale = CatProfile::clampedScale(fields.value("companionScale", 1.0));
    profile.phrasePack = fields.value("phrasePack", PurloPhrasePack::soft);
}

} // namespace purlo
