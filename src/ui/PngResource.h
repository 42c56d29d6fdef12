// The PNG artwork: decoded, premultiplied and composed into a memory context.
#pragma once

#include "platform/paint.h"
#include "platform/resources.h"

// c * a / 255 rounded, per colour byte; alpha stays. What per-pixel-alpha windows expect.
void PremultiplyBgra(plat::ImageBgra& image);

// Draws the resource at (0, 0) of target, blended by its alpha. False when the resource's bytes
// cannot be had; an undecodable PNG draws nothing and still returns true.
bool LoadPngResource(HRSRC resource, HDC target);
