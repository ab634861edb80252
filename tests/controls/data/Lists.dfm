object Form: TForm
  object List: TCheckListBox
    Left = 10
    Top = 10
    Width = 204
    Height = 69
  end
end
