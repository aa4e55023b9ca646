"""Harness for end-to-end tests of Windows programs under Wine on an X
display: see README.md beside this file."""
