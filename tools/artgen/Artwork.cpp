#include "Artwork.h"

#include "Screens.h"
#include "Sounds.h"
#include "WavFile.h"

namespace nebulark::artgen {

Artwork MakeArtwork() {
    SpriteSet sprites;
    Image title = MakeTitleScreen(sprites);
    Image levelComplete = MakeLevelComplete(sprites);
    return {sprites, title, MakePlayingField(), levelComplete, MakeLifeLost(), MakeGameOver()};
}

std::vector<DataFile> MakeDataFiles(const Artwork& art) {
    return {{"player.bin", art.sprites.ship.Bytes()},
            {"asteroide_notte.bin", art.sprites.asteroids.Bytes()},
            {"bullet.bin", art.sprites.shot.Bytes()},
            {"ufo.bin", art.sprites.saucer.Bytes()},
            {"termometro.bin", art.sprites.gauge.Bytes()},
            {"logo.bin", art.title.Bytes()},
            {"blank.bin", art.field.Bytes()},
            {"livello.bin", art.levelComplete.Bytes()},
            {"replay.bin", art.lifeLost.Bytes()},
            {"gameover.bin", art.gameOver.Bytes()},
            {"Explosion.wav", EncodeWav(MakeExplosion(), kSampleRate)},
            {"beep.wav", EncodeWav(MakeBeep(), kSampleRate)}};
}

}  // namespace nebulark::artgen
