"""What a scenario raises when it sees something other than it expected."""


class ScenarioFailure(AssertionError):
    """A check failed: what was checked, what was expected, what was seen."""

    def __init__(self, what: str, expected=None, seen=None):
        self.what = what
        self.expected = expected
        self.seen = seen
        super().__init__(self.describe())

    def describe(self) -> str:
        lines = [self.what]
        if self.expected is not None or self.seen is not None:
            lines.append(f"  expected: {self.expected!r}")
            lines.append(f"  saw:      {self.seen!r}")
        return "\n".join(lines)


class DriverError(RuntimeError):
    """The driver answered a command with ok=false, or did not answer."""

    def __init__(self, command: str, error: str):
        self.command = command
        self.error = error
        super().__init__(f"{command}: {error}")
