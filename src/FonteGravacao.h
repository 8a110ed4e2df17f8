#ifndef FONTEGRAVACAO_H
#define FONTEGRAVACAO_H

// Where CapturaAudio gets its recorded sound from. In the game it is the
// library's sound input (start_sound_input / read_sound_input, backed by the
// GravadorAlsa driver, which hands over the newest second); tests and tools install another source with
// CapturaAudio::setFonteGravacao() BEFORE creating the CapturaAudio, so the
// same analysis runs on buffers made in memory. A plain record of function
// pointers: no inheritance among the game's classes.
struct FonteGravacao {
    // Like start_sound_input(freq, bits, stereo): starts the source and
    // answers the size in bytes of every buffer it will deliver (0 when it
    // cannot record). Called once, by the CapturaAudio constructor.
    int (*iniciar)(void* dados, int freq, int bits, int stereo);

    // Like read_sound_input(destino): when a buffer has arrived since the
    // last call, copies the newest one into destino as unsigned 16-bit
    // samples (32768 is silence), never more than capacidadeBytes, and
    // answers a value above 0; otherwise leaves destino alone and answers 0.
    int (*ler)(void* dados, void* destino, int capacidadeBytes);

    // Handed back to both functions untouched (the source's own state).
    void* dados;

    // How buffers follow one another. false: each buffer is the next stretch
    // of sound, and the analysis walks through it over the frames that
    // follow. true: each buffer is the newest stretch of one continuous
    // recording, ending with the sound that came in last, and the analysis
    // looks at its end (the microphone: what the player roared a moment ago).
    bool recente = false;
};

#endif
