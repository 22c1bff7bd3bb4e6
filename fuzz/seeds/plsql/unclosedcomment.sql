begin null; end; /* never closed
