// Draws the scene into a 640 by 480 picture: every live sprite in creation order, centred on
// its position, mirrored when asked, blended by its alpha. Both the window and the headless
// screenshots show what this draws.
#pragma once

#include "VantorScreen.h"
#include "formats/BmpCodec.h"
#include "engine/GraphicsService.h"

class CSoftwareRenderer {
public:
    CSoftwareRenderer();

    // Clears to black and draws every sprite. A sprite without a valid image draws nothing.
    void DrawScene(const CGraphicsService& graphics);
    // Darkens the picture and puts the pause picture (if any) in the middle.
    void DrawPauseOverlay(const Bitmap* pausePicture);
    // Darkens the picture and puts the how-to-play card below the HUD.
    void DrawHowToPlay(const Bitmap& card);
    // Draws one image centred at (x, y).
    void DrawImage(const Bitmap& image, float x, float y, bool mirrored);
    // The same for a loaded image, through the runs found when it was loaded.
    void DrawImage(const LoadedImage& image, float x, float y, bool mirrored);

    const Bitmap& Canvas() const { return canvas; }

private:
    // Darkens the whole picture under a host overlay.
    void Dim();

    Bitmap canvas;
};
