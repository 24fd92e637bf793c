"""A speech server for Orca that writes what it is given to speak to a file, one utterance a line,
instead of a voice: the end-to-end tests read what a blind user would hear.

Orca loads it by name (its speechServerFactory setting) from PYTHONPATH; the file is
$CFX_SPOKEN_FILE.
"""
import os

from orca import speechserver


class SpeechServer(speechserver.SpeechServer):
    _active = None

    @staticmethod
    def getFactoryName():
        return "Chronofex test speech sink"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer.getSpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        if SpeechServer._active is None:
            SpeechServer._active = SpeechServer()
        return SpeechServer._active

    @staticmethod
    def shutdownActiveServers():
        SpeechServer._active = None

    def __init__(self):
        super().__init__()
        self._path = os.environ["CFX_SPOKEN_FILE"]

    def _say(self, text):
        # Line by line and flushed at once: the test polls the file while Orca runs.
        with open(self._path, "a", encoding="utf-8") as out:
            out.write(" ".join(str(text).split()) + "\n")

    def getInfo(self):
        return [self.getFactoryName(), "sink"]

    def getVoiceFamilies(self):
        return []

    def speak(self, text=None, acss=None, interrupt=True):
        if text:
            self._say(text)

    def speakCharacter(self, character, acss=None):
        self._say(character)

    def speakKeyEvent(self, event, acss=None):
        self._say(event.getKeyName())

    def sayAll(self, utteranceIterator, progressCallback):
        context = None
        for context, _acss in utteranceIterator:
            self._say(context.utterance)
            progressCallback(context, speechserver.SayAllContext.PROGRESS)
        if context is not None:
            progressCallback(context, speechserver.SayAllContext.COMPLETED)
