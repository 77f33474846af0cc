// Every object that lives for the whole run is defined here, in one file,
// because C++ only fixes the order of construction within a translation unit.
// They are built top to bottom before main() and destroyed bottom to top at
// exit. <iostream> comes first so that standard output works while they are
// being built (the insult list reports on it).
#include <iostream>

#include "app/Globals.h"

// 1. The camera, with its defaults.
Camera camera;

// 2. The battle screen. Its sound bank plays the music from the start of
// main() to the end of the run.
LiveMode liveMode("live");

// 3. The start and end screens.
StartState startState("start");
EndState endState("end");

// 4. The insult list, read from the working directory now, before the window
// opens.
InsultDatabase insultDatabase("./insults.txt");

// 5. The texture cache, empty. It is never destroyed: the screens' sprites,
// destroyed after it would be, still point at its records, and pictures
// live until the process ends anyway.
TextureCache& textureCache = *new TextureCache;
