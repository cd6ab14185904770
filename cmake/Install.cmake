# Install layout, desktop integration and the Debian package (see packaging/).
