"""The office's merged configuration, read through its provider (what
the extension's .xcu files added is there once it is installed)."""


def configuration(office, node_path):
    """Read access to the configuration node at `node_path`."""
    from com.sun.star.beans import PropertyValue
    path = PropertyValue()
    path.Name, path.Value = "nodepath", node_path
    provider = office.service("com.sun.star.configuration.ConfigurationProvider")
    return provider.createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess", (path,))
