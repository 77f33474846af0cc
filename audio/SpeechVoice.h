#pragma once

// The voice that speaks the robots' insults: espeak-ng with a robotic
// variant, played through the sound bank's SDL2_mixer output so that it mixes
// with the music. The speech engine stays hidden behind these four calls, all
// made from the game's thread.
//
// The battle creates a voice when it starts and releases it when it ends.
// Only the newest voice is heard: creating one silences any older one.
class SpeechVoice;

// A new voice, or nullptr when there is none: espeak-ng cannot start, has no
// voice data, or no audio output is open (init() a SoundBank first).
SpeechVoice* createSpeechVoice();

// Hands text to the voice and returns at once; the text is copied. Texts are
// spoken one after another in the order given, none cut off. Does nothing
// for a null voice or text.
void speakText(SpeechVoice* voice, const char* text);

// Ends the voice, dropping whatever it had still to say, and sets it to
// nullptr. Safe while it is speaking, and for nullptr.
void releaseSpeechVoice(SpeechVoice*& voice);

// How loud every voice speaks, 0 to 100 percent of full; for all voices, old
// and new.
void setSpeechVolume(int percent);
