-- Tessal sample production.
-- The script runs once, in the first frame, and builds the time line.

setstarttime(0)
setendtime(20)
setmusicstarttime(0)

-- The music plays from the start time plus this offset, in step with the demo.
loadmusic("data/music.ogg")

-- Every frame starts cleared to this colour (red, green, blue, alpha: 0..255).
setclearcolor(16, 24, 48, 255)
