-- Tessal sample production.
-- The script runs once, in the first frame, and builds the time line.

setstarttime(0)
setendtime(36)
setmusicstarttime(0)

-- The music plays from the start time plus this offset, in step with the demo.
loadmusic("data/music.ogg")

-- Every frame starts cleared to this colour (red, green, blue, alpha: 0..255).
setclearcolor(16, 24, 48, 255)

-- Textures: a JPEG backdrop, a PNG and a run-length TGA with alpha, and a
-- BMP whose alpha comes from a grey BMP mask (made by tessal-demo-images).
loadtexture("backdrop.jpg")
loadtexture("emblem.png")
loadtexture("star.tga")
loadalphatexture("stripes.bmp", "stripes_mask.bmp")
-- A texture that layers draw into (see the capture pair below).
createcapturetexture("spin", 256, 256)

-- Image layers: layer(0, texture, source blend, destination blend, filter).
-- Blend numbers are Direct3D's: 1 zero, 2 one, 5 source alpha, 6 inverse
-- source alpha. Keys are in demo seconds; positions in a 640 x 480 screen.

-- The backdrop fills the screen, fades in from black and slowly zooms.
back = layer(0, "backdrop.jpg")
start(0, back) stop(20, back)
setimagescale(0, back, 2.5, 1.875)
setimagescale(20, back, 3.5, 2.625)
setimagecolor(0, back, 0, 0, 0, 255)
setimagecolor(2, back, 255, 255, 255, 255)
setimagecolor(18, back, 255, 255, 255, 255)
setimagecolor(20, back, 0, 0, 0, 255)

-- A capture pair: between the begin layer (3, "spin", 0) and the end layer
-- (3, "spin", 1) the layers draw into the texture "spin" instead of the
-- screen. The first of them clears the texture.
capture = layer(3, "spin", 0)
start(4, capture) stop(16, capture)
inner = layer(0, "stripes.bmp", 5, 6)
start(4, inner) stop(16, inner) clear(inner, 1, 1)
setimagescale(4, inner, 4, 3)
setimagerot(4, inner, 0)
setimagerot(16, inner, -360)
innerstar = layer(0, "star.tga", 5, 6)
start(4, innerstar) stop(16, innerstar)
setimagerot(4, innerstar, 0)
setimagerot(16, innerstar, 720)
setimagescale(4, innerstar, 2, 1.5)
done = layer(3, "spin", 1)
start(4, done) stop(16, done)

-- The captured texture shown on screen, added to what is there, turning
-- and growing, then shrinking away.
shown = layer(0, "spin", 2, 2)
start(4, shown) stop(16, shown)
setimagescale(4, shown, 0, 0)
setimagescale(7, shown, 1.4, 1.4)
setimagescale(13, shown, 1.4, 1.4)
setimagescale(16, shown, 0, 0)
setimagerot(4, shown, 0)
setimagerot(16, shown, 180)

-- A star orbiting the centre of the screen: its pivot puts the image's
-- centre 180 units above the anchor, so the turn carries it round.
orbit = layer(0, "star.tga", 5, 2)
start(2, orbit) stop(18, orbit)
setimagepivot(0, orbit, -64, -244)
setimagerot(2, orbit, 0)
setimagerot(18, orbit, 720)
setimagecolor(2, orbit, 255, 255, 255, 0)
setimagecolor(3, orbit, 255, 255, 255, 255)
setimagecolor(17, orbit, 255, 255, 255, 255)
setimagecolor(18, orbit, 255, 255, 255, 0)

-- The emblem glides in from the left, stays, and glides out fading.
emblem = layer(0, "emblem.png", 5, 6)
start(1, emblem) stop(19, emblem)
setimagepos(1, emblem, -160, 100)
setimagepos(4, emblem, 320, 100)
setimagepos(16, emblem, 320, 100)
setimagepos(19, emblem, 800, 100)
setimagecolor(16, emblem, 255, 255, 255, 255)
setimagecolor(19, emblem, 255, 255, 255, 0)

-- A banner waving in the lower right corner over the images: a skinned
-- glTF model (demo/models/banner.gltf) converted by tessal-y3d, its bones
-- baked into a morphing mesh, seen through its own camera. It loops every
-- four seconds; only the depth buffer is cleared, so the images stay behind.
loady3d("banner.y3d")
banner = layer(2, "banner.y3d", "BannerView", 30, 0, 0.5, 50)
start(8, banner) stop(18, banner) clear(banner, 0, 1)

-- The 3D scene (made by tessal-demo-scene): one 16-second loop, eight
-- seconds through the camera "Orbit", then eight through "Flyby" 240 frames
-- on. layer(2, scene, camera, frame rate, frame offset, near, far).
loady3d("scene.y3d")
sceneorbit = layer(2, "scene.y3d", "Orbit", 30, 0, 1, 200)
start(20, sceneorbit) stop(28, sceneorbit) clear(sceneorbit, 1, 1)
sceneflyby = layer(2, "scene.y3d", "Flyby", 30, 240, 1, 200)
start(28, sceneflyby) stop(36, sceneflyby) clear(sceneflyby, 1, 1)

-- Fog in the clear colour (components 0..1): the scene rises out of it,
-- keeps a haze far off, and sinks back into it at the end.
setfogdensity(20, sceneorbit, 1)
setfogcolor(20, sceneorbit, 0.063, 0.094, 0.188, 1)
setfogstart(20, sceneorbit, 0) setfogend(20, sceneorbit, 1)
setfogstart(22.5, sceneorbit, 30) setfogend(22.5, sceneorbit, 80)
setfogdensity(28, sceneflyby, 1)
setfogcolor(28, sceneflyby, 0.063, 0.094, 0.188, 1)
setfogstart(28, sceneflyby, 30) setfogend(28, sceneflyby, 80)
setfogstart(33.5, sceneflyby, 30) setfogend(33.5, sceneflyby, 80)
setfogstart(36, sceneflyby, 0) setfogend(36, sceneflyby, 1)
