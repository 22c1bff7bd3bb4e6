// Linux stand-ins for system services.
