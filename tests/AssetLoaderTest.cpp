#include "TestSupport.h"

#include "render/AssetLoader.h"

#include <gtest/gtest.h>

namespace {

// Loads from a scratch folder holding the built assets but the ones a test leaves out.
class AssetLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Allegro 5.2.8 crashes in a second al_uninstall_audio within one process (install,
        // uninstall, install, uninstall is enough, with nothing loaded), so these tests
        // each need a process of their own, as CTest gives every test. When the test
        // program runs whole, the ones after the first are skipped rather than crash.
        static bool audioUsedInThisProcess = false;
        if (audioUsedInThisProcess) {
            GTEST_SKIP() << "audio was installed and uninstalled earlier in this process";
        }
        audioUsedInThisProcess = true;
        startAllegroForTests();
        AssetLoader::nextBufferId = 0;
        AssetLoader::nextSpriteId = 0;
        AssetLoader::nextSoundId = 0;
        // CTest gives these tests an audio server of their own; run by hand without one,
        // only the checks of the sounds are left out.
        audio = sounds.init(&events);
    }

    void needAudio() {
        if (!audio) {
            GTEST_SKIP() << "no audio device (CTest starts one for the tests)";
        }
    }

    std::string loadAll() {
        testing::internal::CaptureStdout();
        loader.loadBuffers();
        loader.loadSprites();
        loader.loadSounds();
        return testing::internal::GetCapturedStdout();
    }

    ScratchFolder folder;
    EventSystem events;
    BufferManager buffers;
    SpriteManager sprites;
    SoundSystem sounds;
    AssetLoader loader{&buffers, &sprites, &sounds};
    bool audio = false;
};

struct Cut {
    int buffer, x, y, w, h;
};

} // namespace

TEST_F(AssetLoaderTest, EveryFileGetsItsFixedId) {
    folder.copyAssetsExcept({});
    const std::string soundsLine =
        audio ? "Done!" : "Failure!Failure!Failure!Failure!Failure!Done!";
    EXPECT_EQ(loadAll(), "Loading Buffers...Done!\nLoading Sprites...Done!\nLoading Sounds..." +
                             soundsLine + "\n");
    ASSERT_EQ(buffers.buffers.size(), 5u);
    EXPECT_EQ(al_get_bitmap_width(buffers.getBuffer(0)->bitmap), 64 * 12);
    EXPECT_EQ(al_get_bitmap_width(buffers.getBuffer(2)->bitmap), 1200);
    EXPECT_EQ(al_get_bitmap_width(buffers.getBuffer(3)->bitmap), 320);
    EXPECT_EQ(al_get_bitmap_width(buffers.getBuffer(4)->bitmap), 256);
    const Cut cuts[13] = {{3, 0, 0, 64, 64},     {3, 64, 0, 64, 64},    {3, 128, 0, 64, 64},
                          {3, 192, 0, 64, 64},   {3, 256, 0, 64, 64},   {2, 0, 0, 300, 300},
                          {2, 300, 0, 300, 300}, {2, 600, 0, 300, 300}, {2, 900, 0, 300, 300},
                          {4, 0, 0, 64, 64},     {4, 64, 0, 64, 64},    {4, 128, 0, 64, 64},
                          {4, 192, 0, 64, 64}};
    ASSERT_EQ(sprites.sprites.size(), 13u);
    for (int id = 0; id < 13; ++id) {
        const Sprite* s = sprites.getSprite(id);
        EXPECT_EQ(s->buffer, buffers.getBuffer(cuts[id].buffer)) << "sprite " << id;
        EXPECT_EQ((std::vector<int>{s->x, s->y, s->w, s->h}),
                  (std::vector<int>{cuts[id].x, cuts[id].y, cuts[id].w, cuts[id].h}))
            << "sprite " << id;
    }
    EXPECT_EQ(sounds.samples.size(), audio ? 5u : 0u);
    EXPECT_EQ(sprites.getSprite(13), nullptr);
}

TEST_F(AssetLoaderTest, MissingSoundUsesNoId) {
    needAudio();
    folder.copyAssetsExcept({"footstep.wav"});
    const std::string out = loadAll();
    EXPECT_NE(out.find("\nLoading Sounds...Failure!Done!\n"), std::string::npos) << out;
    ASSERT_EQ(sounds.samples.size(), 4u);
    // The ambience moves down to id 0: it is the longest sample (eight seconds).
    EXPECT_EQ(al_get_sample_length(sounds.samples.at(0)), 8u * 44100u);
    EXPECT_EQ(sounds.samples.count(4), 0u);
}

TEST_F(AssetLoaderTest, MissingImageStillTakesItsIdAndIsReported) {
    folder.copyAssetsExcept({"staff.png"});
    loadAll();
    EXPECT_EQ(buffers.getBuffer(1)->bitmap, nullptr);
    EXPECT_EQ(sprites.getSprite(5)->buffer, buffers.getBuffer(2));
    EXPECT_EQ(al_get_bitmap_width(buffers.getBuffer(2)->bitmap), 1200);
    EXPECT_EQ(loader.missingImages(), (std::vector<std::string>{"assets/staff.png"}));
}

TEST_F(AssetLoaderTest, WithoutAudioEverySoundFailsInsteadOfCrashing) {
    needAudio(); // audio that was never there cannot be taken away
    folder.copyAssetsExcept({});
    al_uninstall_audio();
    const std::string out = loadAll();
    EXPECT_NE(out.find("Loading Sounds...Failure!Failure!Failure!Failure!Failure!Done!"),
              std::string::npos);
    EXPECT_TRUE(sounds.samples.empty());
}

TEST_F(AssetLoaderTest, NoAssetFolderAtAll) {
    const std::string out = loadAll();
    EXPECT_EQ(out, "Loading Buffers...Done!\nLoading Sprites...Done!\n"
                   "Loading Sounds...Failure!Failure!Failure!Failure!Failure!Done!\n");
    EXPECT_EQ(loader.missingImages().size(), 5u);
    EXPECT_EQ(buffers.buffers.size(), 5u);
    EXPECT_TRUE(sounds.samples.empty());
}
