"""A speech server for Orca that writes down what it is given to say, one
utterance a line, instead of voicing it: the run's ears, with no sound card
and no speech synthesiser. Orca loads it by name from its settings
("speechServerFactory"), as it loads its own speech-dispatcher server.

The file is named by SNELK_SPEECH_TRANSCRIPT. Key echo is written as
"[key] NAME", single characters as "[char] C"; every line is flushed at
once, so that whoever reads the file sees it as soon as Orca speaks.
"""

import os

from orca import speechserver


class SpeechServer(speechserver.SpeechServer):
    _server = None

    @staticmethod
    def getFactoryName():
        return "Transcript"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer.getSpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        if SpeechServer._server is None:
            SpeechServer._server = SpeechServer()
        return SpeechServer._server

    @staticmethod
    def shutdownActiveServers():
        if SpeechServer._server is not None:
            SpeechServer._server.shutdown()

    def __init__(self):
        super().__init__()
        self._file = open(os.environ["SNELK_SPEECH_TRANSCRIPT"], "a", encoding="utf-8")

    def _write(self, line):
        if self._file is None:
            return
        self._file.write(" ".join(line.split()) + "\n")
        self._file.flush()

    def getInfo(self):
        return [self.getFactoryName(), "transcript"]

    def getVoiceFamilies(self):
        return []

    def speak(self, text=None, acss=None, interrupt=True):
        if text and text.strip():
            self._write(text)

    def speakCharacter(self, character, acss=None):
        self._write("[char] " + character)

    def speakKeyEvent(self, event, acss=None):
        self._write("[key] " + event.getKeyName())

    def sayAll(self, utteranceIterator, progressCallback):
        context = None
        for context, acss in utteranceIterator:
            self._write(context.utterance)
            progressCallback(context, speechserver.SayAllContext.PROGRESS)
        if context is not None:
            progressCallback(context, speechserver.SayAllContext.COMPLETED)

    def shutdown(self):
        if self._file is not None:
            self._file.close()
            self._file = None
        SpeechServer._server = None
