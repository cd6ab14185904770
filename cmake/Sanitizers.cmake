# Sanitizer builds: -DSONAVOLTA_SANITIZE=ON.
