// Writes the game's pictures and sounds into the folder given on the command line, and
// with a second folder the program's icon at the sizes desktops ask for, as
// SIZExSIZE/duskmarch.png. Everything is computed from fixed seeds, so every build
// produces the same files.
#include "ImageGenerator.h"
#include "SoundGenerator.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_image.h>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>

namespace {

const int WINDOW_ICON_SIZE = 64;
const int ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};

// Each file is written beside its place and renamed into it, so that a game or a test
// reading the assets while another build tree regenerates them finds the old file or
// the new one, never half of one. The part keeps the extension, which tells Allegro the
// picture's format.
bool writeInPlace(const std::string& path, const std::function<bool(const std::string&)>& write) {
    const std::filesystem::path target(path);
    const std::filesystem::path part =
        target.parent_path() / (target.stem().string() + ".part" + target.extension().string());
    std::error_code error;
    if (write(part.string())) {
        std::filesystem::rename(part, target, error);
        if (!error) {
            return true;
        }
    }
    std::filesystem::remove(part, error);
    std::cerr << "assetgen: cannot write " << path << "\n";
    return false;
}

bool savePicture(const Canvas& canvas, const std::string& path) {
    return writeInPlace(path, [&](const std::string& part) { return canvas.savePng(part); });
}

bool saveSound(const SoundGenerator::Samples& samples, const std::string& path) {
    return writeInPlace(
        path, [&](const std::string& part) { return SoundGenerator::saveWav(part, samples); });
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: assetgen OUTPUT_FOLDER [ICON_FOLDER]\n";
        return 2;
    }
    const std::string folder = argv[1];
    std::filesystem::create_directories(folder);
    if (!al_init() || !al_init_image_addon()) {
        std::cerr << "assetgen: cannot start Allegro\n";
        return 1;
    }
    const ImageGenerator images;
    const SoundGenerator sounds;
    bool ok = savePicture(images.textureStrip(), folder + "/map.png");
    ok = savePicture(images.skulls(), folder + "/skull.png") && ok;
    ok = savePicture(images.sword(), folder + "/sword.png") && ok;
    ok = savePicture(images.fireballs(), folder + "/fireball.png") && ok;
    ok = savePicture(images.staff(), folder + "/staff.png") && ok;
    ok = saveSound(sounds.footstep(), folder + "/footstep.wav") && ok;
    ok = saveSound(sounds.ambience(), folder + "/bgambience.wav") && ok;
    ok = saveSound(sounds.deadSleep(), folder + "/deadsleep.wav") && ok;
    ok = saveSound(sounds.swordHit(), folder + "/swordhit.wav") && ok;
    ok = saveSound(sounds.swordMiss(), folder + "/swordmiss.wav") && ok;
    ok = saveSound(sounds.skullChatter(), folder + "/skull.wav") && ok;
    ok = saveSound(sounds.blowTaken(), folder + "/struck.wav") && ok;
    // The window's own icon.
    ok = savePicture(images.icon(WINDOW_ICON_SIZE), folder + "/icon.png") && ok;
    if (argc == 3) {
        for (int size : ICON_SIZES) {
            const std::string sized =
                std::string(argv[2]) + "/" + std::to_string(size) + "x" + std::to_string(size);
            std::filesystem::create_directories(sized);
            ok = savePicture(images.icon(size), sized + "/duskmarch.png") && ok;
        }
    }
    al_shutdown_image_addon();
    return ok ? 0 : 1;
}
