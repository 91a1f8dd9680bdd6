#include "companion/qt/CatFramePainter.h"
#include "model/CatLookPresets.h"
#include "tests/companion/CatImages.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace purlo {
namespace {

// One picture on the sheet and what is written under it.
struct SheetEntry {
    CompanionScene scene;
    CatLook look;
    double time;
    std::string caption;
};

constexpr int cellWidth = 188;
constexpr int catHeight = 223;
constexpr int captionHeight = 30;
constexpr int columns = 8;

CatMood moodShowing(CatPose pose) {
    switch (pose) {
    case CatPose::hunt:
    case CatPose::swat:
    case CatPose::crouch:
        return CatMood::hunting;
    case CatPose::typing:
        return CatMood::typing;
    case CatPose::think:
        return CatMood::thinking;
    case CatPose::celebrate:
        return CatMood::celebrating;
    case CatPose::stretch:
        return CatMood::stretching;
    case CatPose::sleep:
        return CatMood::sleeping;
    case CatPose::drag:
        return CatMood::dragged;
    case CatPose::purr:
        return CatMood::purring;
    case CatPose::greet:
        return CatMood::curious;
    default:
        return CatMood::idle;
    }
}

std::vector<SheetEntry> poseEntries() {
    const CatLook look{CatSkinPreset::orange, CatPatternPreset::classic, CatEyeColorPreset::mint,
                       CatAccessoryPreset::none};
    std::vector<SheetEntry> entries;
    for (const CatPose pose : allCases<CatPose>()) {
        CompanionScene scene = testing::stillScene(pose, moodShowing(pose), {0.2, 0});
        scene.yawnProgress = pose == CatPose::yawn ? 0.5 : 0;
        // The hunt is caught mid-pounce, paw raised.
        const double time = pose == CatPose::hunt ? 0.9 : 1.0;
        entries.push_back(
            {scene, look, time,
             std::string(toString(pose)) + " / " + std::string(toString(scene.mood))});
    }
    entries.push_back({testing::stillScene(CatPose::typing, CatMood::overheated), look, 1.0,
                       "typing / overheated"});
    entries.push_back(
        {testing::stillScene(CatPose::stare, CatMood::idle, {-0.6, 0}), look, 1.0, "looking left"});
    entries.push_back(
        {testing::stillScene(CatPose::stare, CatMood::idle, {0.1, 1}), look, 1.0, "looking down"});
    entries.push_back(
        {testing::stillScene(CatPose::stare, CatMood::idle, {0.3, -1}), look, 1.0, "looking up"});
    entries.push_back({testing::stillScene(CatPose::crossEyed, CatMood::idle, {0, 1}), look, 1.0,
                       "cross-eyed, down"});
    return entries;
}

// Every skin with every pattern; accessories and eye colours take turns.
std::vector<SheetEntry> lookEntries() {
    std::vector<SheetEntry> entries;
    const auto accessories = allCases<CatAccessoryPreset>();
    const auto eyeColors = allCases<CatEyeColorPreset>();
    std::size_t turn = 0;
    for (const CatSkinPreset skin : allCases<CatSkinPreset>()) {
        for (const CatPatternPreset pattern : allCases<CatPatternPreset>()) {
            const CatLook look{skin, pattern, eyeColors[turn % eyeColors.size()],
                               accessories[turn % accessories.size()]};
            ++turn;
            entries.push_back({testing::stillScene(), look, 1.0,
                               std::string(toString(skin)) + " " + std::string(toString(pattern)) +
                                   "\n" + std::string(toString(look.eyeColor)) + " eyes, " +
                                   std::string(toString(look.accessory))});
        }
        // Each row ends on a blank, so every skin starts a new row.
        entries.push_back({});
    }
    return entries;
}

QImage contactSheet(const std::vector<SheetEntry>& entries) {
    const int rows = static_cast<int>((entries.size() + columns - 1) / columns);
    QImage sheet(columns * cellWidth, rows * (catHeight + captionHeight),
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(226, 230, 234));
    QPainter painter(&sheet);
    CatFramePainter catPainter;
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const SheetEntry& entry = entries[index];
        if (entry.caption.empty()) {
            continue;
        }
        const int left = static_cast<int>(index % columns) * cellWidth;
        const int top = static_cast<int>(index / columns) * (catHeight + captionHeight);
        painter.save();
        painter.translate(left, top);
        painter.fillRect(QRect(2, 2, cellWidth - 4, catHeight - 4), QColor(246, 247, 248));
        catPainter.paint(painter, QSizeF(cellWidth, catHeight), entry.scene, entry.look,
                         entry.time);
        painter.restore();
        painter.setPen(QColor(40, 44, 48));
        painter.drawText(QRect(left, top + catHeight, cellWidth, captionHeight),
                         Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(entry.caption));
    }
    return sheet;
}

TEST(CatContactSheet, WritesEveryPoseAndEveryLookForAPersonToLookAt) {
    const char* buildDir = std::getenv("PURLO_BUILD_DIR");
    if (buildDir == nullptr || *buildDir == '\0') {
        GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): no contact sheet written";
    }
    std::vector<SheetEntry> entries = poseEntries();
    while (entries.size() % columns != 0) {
        entries.push_back({});
    }
    for (SheetEntry& entry : lookEntries()) {
        entries.push_back(std::move(entry));
    }

    const QDir artifacts(QString::fromLocal8Bit(buildDir) + "/artifacts");
    ASSERT_TRUE(artifacts.mkpath("."));
    const QString path = artifacts.filePath("cat-contact-sheet.png");
    ASSERT_TRUE(contactSheet(entries).save(path, "PNG")) << path.toStdString();
    EXPECT_FALSE(QImage(path).isNull());
}

} // namespace
} // namespace purlo
