// How config\window.txt and config\speed.txt shape the window and the loop, including files that are
// missing or hold nonsense.
#include "fake_platform.h"
#include "game/graphics/image.h"
#include "game/graphics/png_writer.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool logged(const EventLog& log, const std::string& line) {
    return std::find(log.lines.begin(), log.lines.end(), line) != log.lines.end();
}

}  // namespace

TEST(GameAppConfig, NoFilesGiveAWholeMultipleWindowThatFitsThePacedTitledDolvane) {
    ScratchDir dir;
    FakeMachine machine;
    GameApp app(machine.platform());
    EXPECT_EQ(machine.window.title, "Dolvane!");
    EXPECT_FALSE(app.fullscreen());
    // A 1920 x 1080 desktop less its panel holds twice the picture with room to spare.
    EXPECT_EQ(app.width(), 1280);
    EXPECT_EQ(app.height(), 960);
    EXPECT_EQ(machine.window.clientWidth, 1280);
    EXPECT_EQ(machine.window.clientHeight, 960);
    EXPECT_EQ(machine.window.scaling, PictureScaling::kFit);
    EXPECT_EQ(app.desktopWidth(), 1920);
    EXPECT_EQ(app.desktopHeight(), 1080);
    EXPECT_EQ(machine.window.iconWidth, 0);  // no icon
    EXPECT_FALSE(logged(machine.log, "fullscreen"));
    EXPECT_TRUE(machine.window.glContext);
    ASSERT_NE(PadInput::instance(), nullptr);
    ASSERT_NE(PointerInput::instance(), nullptr);
    app.beginRun();
    EXPECT_TRUE(app.paced());
}

TEST(GameAppConfig, SizeTitleAndIconComeFromWindowTxt) {
    ScratchDir dir;
    Image icon(32, 16);
    ASSERT_TRUE(writePng((dir.path() / "icon.png").string(), icon));
    dir.write("config/window.txt", "name=Puppet Test\nwidth=800\nheight=600\nicon=icon.png\nscale=whole\n");
    FakeMachine machine;
    GameApp app(machine.platform());
    EXPECT_EQ(machine.window.title, "Puppet Test");
    EXPECT_EQ(machine.window.scaling, PictureScaling::kWhole);
    EXPECT_EQ(machine.window.clientWidth, 800);
    EXPECT_EQ(machine.window.clientHeight, 600);
    EXPECT_EQ(machine.window.iconWidth, 32);
    EXPECT_EQ(machine.window.iconHeight, 16);
}

TEST(GameAppConfig, FullscreenTakesTheDesktopAndIsUndoneAtShutdown) {
    {
        // A desktop that refuses full screen leaves the game in its window.
        ScratchDir dir;
        dir.write("config/window.txt", "full=1\n");
        FakeMachine machine;
        machine.window.refusesFullscreen = true;
        GameApp app(machine.platform());
        EXPECT_TRUE(logged(machine.log, "fullscreen"));
        EXPECT_FALSE(app.fullscreen());
        EXPECT_FALSE(machine.window.isFullscreen);
        EXPECT_EQ(machine.window.clientWidth, 1280);
    }
    {
        // Any size goes: full screen is the desktop's own resolution, not a display mode.
        ScratchDir dir;
        dir.write("config/window.txt", "full=1\nwidth=700\nheight=500\n");
        FakeMachine machine;
        {
            GameApp app(machine.platform());
            EXPECT_TRUE(app.fullscreen());
            EXPECT_TRUE(machine.window.isFullscreen);
            EXPECT_FALSE(logged(machine.log, "windowed 700x500"));
        }
        // The window leaves full screen before it goes.
        EXPECT_FALSE(machine.window.isFullscreen);
        const auto restored = std::find(machine.log.lines.begin(), machine.log.lines.end(), "windowed 700x500");
        const auto destroyed = std::find(machine.log.lines.begin(), machine.log.lines.end(), "window destroyed");
        ASSERT_NE(restored, machine.log.lines.end());
        EXPECT_LT(restored, destroyed);
    }
}

TEST(GameAppConfig, BadValuesFallBackToDefaults) {
    struct Case {
        const char* windowTxt;
        std::int32_t width, height;
        bool fullscreen;
    };
    const Case cases[] = {
        {"width = 800\n", 1280, 960, false},             // the key is "width ": not found
        {"width=800px\nheight=600 \n", 800, 600, false},  // trailing letters are ignored
        {"#width=800\n", 1280, 960, false},
        {"width=900\nwidth=700\n", 900, 960, false},  // the first duplicate counts
        {"full=yes\nwidth=1024\nheight=768\n", 1024, 768, false},
        {"full=2\nwidth=1024\nheight=768\n", 1024, 768, false},
        {"full=1\nwidth=1024\nheight=768\n", 1024, 768, true},
        {"width=-5\nheight=0\n", 1280, 960, false},  // no window can have that size
        {"width=99999999999\n", 1280, 960, false},   // out of range
        {"\x01\xff=\n==\nname=\nscale=huge\n", 1280, 960, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windowTxt);
        ScratchDir dir;
        dir.write("config/window.txt", c.windowTxt);
        FakeMachine machine;
        GameApp app(machine.platform());
        EXPECT_EQ(app.width(), c.width);
        EXPECT_EQ(app.height(), c.height);
        EXPECT_EQ(app.fullscreen(), c.fullscreen);
        EXPECT_EQ(machine.window.title, "Dolvane!");  // an empty name keeps the default too
        EXPECT_EQ(machine.window.scaling, PictureScaling::kFit);
    }
}

TEST(GameAppConfig, UnreadableIconsGiveNoIcon) {
    for (const char* icon : {"missing.png", "config\\window.txt", "broken.png"}) {
        SCOPED_TRACE(icon);
        ScratchDir dir;
        dir.write("broken.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
        dir.write("config/window.txt", std::string("icon=") + icon + "\n");
        FakeMachine machine;
        GameApp app(machine.platform());
        EXPECT_EQ(machine.window.iconWidth, 0);
        EXPECT_TRUE(machine.window.created);
    }
}

TEST(GameAppConfig, NoWaitTurnsPacingOff) {
    const std::pair<const char*, bool> cases[] = {
        {"no_wait=1\n", false}, {"no_wait=7\n", false}, {"no_wait=0\n", true}, {"no_wait=fast\n", true},
        {"no_wait =1\n", true}};
    for (const auto& [speedTxt, paced] : cases) {
        SCOPED_TRACE(speedTxt);
        ScratchDir dir;
        dir.write("config/speed.txt", speedTxt);
        FakeMachine machine;
        GameApp app(machine.platform());
        app.beginRun();
        EXPECT_EQ(app.paced(), paced);
    }
    ScratchDir dir;
    FakeMachine machine;
    GameApp app(machine.platform());
    app.setUnpaced();
    app.beginRun();
    EXPECT_FALSE(app.paced());
}
