object F: TForm
  Visible = True
  object G: TForm
    Visible = True
    Position = poMainFormCenter
    object B: TButton
      Default = True
    end
  end
end
